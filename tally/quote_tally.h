// The quotation tally: posters of the target range ranked by postings,
// characters, own (non-quoted) characters or quoted characters, with the
// share of quoted (or own) text in what each wrote, a totals line, and the
// postings with the most characters and with the most quoted characters.
#pragma once

#include "core/log_store.h"
#include "tally/report_data.h"
#include "tally/posting_order_left.h"
#include "tally/report_text.h"
#include "tally/tally_progress.h"
#include "tally/tally_settings.h"

namespace tobrel {

// The items of "集計順 (&O)" of the quotation page.
enum class QuoteOrder {
  ByPostings = 0,  // "発言数順"
  ByChars = 1,     // "発言文字数順"
  ByOwnChars = 2,  // "本文文字数順"
  ByQuoted = 3,    // "引用文字数順"
};

struct QuoteTallyOptions {
  QuoteOrder order = QuoteOrder::ByPostings;
};

// Empties `report`, and `data` when given, and writes the report and its
// data rows into them; a throw leaves both as they were. Walks
// `store.Postings` in their current order and does not change them. Throws
// Failure (BadNumberText), before anything is written, when a number text of
// the target range is not an integer.
// Leaves the postings: as found.
void QuoteTobrel(const LogStore& store, const TallySettings& settings,
                 const QuoteTallyOptions& options, TallyProgress& progress, ReportText& report,
                 ReportData* data = nullptr);

inline PostingOrderLeft OrderLeftBy(const QuoteTallyOptions& /*options*/) {
  return PostingOrderLeft::AsFound;
}

}  // namespace tobrel
