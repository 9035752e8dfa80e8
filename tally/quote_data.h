// The quotation tally's table as exported values: one row per poster in
// table order, and its two best postings.
#pragma once

#include <vector>

#include "tally/report_data.h"
#include "tally/id_tally_rec.h"
#include "tally/quote_report.h"

namespace tobrel {

// Appends the ranking table and the best-posting table for `entries`, which
// stand in table order with every rank set.
void AddQuoteData(const std::vector<IdTallyRec>& entries, const QuoteTops& tops,
                  QuoteOrder order, const TallySettings& settings, ReportData& data);

}  // namespace tobrel
