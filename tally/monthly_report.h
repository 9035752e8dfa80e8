// The tables of the monthly tally: the posters of one month by postings or
// by characters with their rank in the month before, and one ID's months.
#pragma once

#include <cstdint>
#include <vector>

#include "tally/monthly_entries.h"
#include "tally/report_text.h"

namespace tobrel {

// Writes the table of month `month` (label `label`) ranked by `key`: the
// entries in `order` down to the first one without postings in the month.
// The entries' ranks of this month and, when month > 0, of the month before
// must be set.
void WriteMonthTable(const std::vector<MonthlyEntry>& entries,
                     const std::vector<std::uint32_t>& order, std::size_t month,
                     const std::string& label, MonthKey key, bool hide_ids, ReportText& report);

// Writes the per-ID table of `entry` over the months with `labels`, whose
// ranks must be set.
void WriteIdMonthTable(const MonthlyEntry& entry, const std::vector<std::string>& labels,
                       ReportText& report);

}  // namespace tobrel
