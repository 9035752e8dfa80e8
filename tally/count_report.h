// The table of the posting-count tally: heading block, one row per poster,
// totals line, the posting with the most characters, and the rules.
#pragma once

#include <vector>

#include "tally/count_tally.h"
#include "tally/id_tally_rec.h"
#include "tally/top_article.h"

namespace tobrel {

// Writes the table for `entries`, which stand in table order with every rank
// set. Shows the progress text of the display step before the rows.
void WriteCountTable(const std::vector<IdTallyRec>& entries, const TopArticle& top,
                     CountOrder order, const TallySettings& settings, TallyProgress& progress,
                     ReportText& report);

}  // namespace tobrel
