// The monthly tally's tables as exported values: one table per month of the
// posters ranked by postings or by characters, or the months of one ID.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tally/report_data.h"
#include "tally/monthly_entries.h"
#include "tally/tally_settings.h"

namespace tobrel {

// The table of month `month` (label `label`) ranked by `key`: the entries
// in `order` down to the first one without postings in the month. Each row
// begins with the month. The previous-month cells are the rank in the month
// before (empty in the first month or after a month without the key) and
// its move ("▼" fell, "△" rose, "－" same).
DataRows MonthRankingDataRows(const std::vector<MonthlyEntry>& entries,
                                const std::vector<std::uint32_t>& order, std::size_t month,
                                const std::string& label, MonthKey key,
                                const TallySettings& settings);

// The months of `entry`: one row per label; a month without postings has
// empty rank cells and zero figures.
DataRows IdMonthDataRows(const MonthlyEntry& entry, const std::vector<std::string>& labels);

}  // namespace tobrel
