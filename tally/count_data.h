// The posting-count tally's table as exported values: one row per poster in
// table order, and its best posting.
#pragma once

#include <vector>

#include "tally/count_tally.h"
#include "tally/report_data.h"
#include "tally/id_tally_rec.h"
#include "tally/top_article.h"

namespace tobrel {

// Appends the ranking table and the best-posting table for `entries`, which
// stand in table order with every rank set.
void AddCountData(const std::vector<IdTallyRec>& entries, const TopArticle& top,
                  CountOrder order, const TallySettings& settings, ReportData& data);

}  // namespace tobrel
