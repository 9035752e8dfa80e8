// The table of the quotation tally: heading block, one row per poster with
// its quotation (or own-text) ratio, totals line, the postings with the most
// characters and the most quoted characters, and the rules.
#pragma once

#include <vector>

#include "tally/id_tally_rec.h"
#include "tally/quote_tally.h"
#include "tally/top_article.h"

namespace tobrel {

// The two best postings of the quotation tally; both hold the mapped ID.
struct QuoteTops {
  TopArticle most_chars;   // "最高文字数発言"
  TopArticle most_quoted;  // "最高引用文字発言"
};

// Writes the table for `entries`, which stand in table order with every rank
// set.
void WriteQuoteTable(const std::vector<IdTallyRec>& entries, const QuoteTops& tops,
                     QuoteOrder order, const TallySettings& settings, ReportText& report);

}  // namespace tobrel
