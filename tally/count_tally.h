// The posting-count tally: posters of the target range ranked by postings or
// by characters, with averages, ranks in the other orders or cumulative
// shares, a totals line and the posting with the most characters, followed
// by the time-distribution tables that are asked for.
#pragma once

#include "core/log_store.h"
#include "tally/report_data.h"
#include "tally/posting_order_left.h"
#include "tally/report_text.h"
#include "tally/tally_progress.h"
#include "tally/tally_settings.h"
#include "tally/time_tables.h"

namespace tobrel {

// The items of "集計順 (&O)".
enum class CountOrder {
  ByPostings = 0,            // "発言数順"
  ByChars = 1,               // "発言文字数順"
  ByPostingsCumulative = 2,  // "発言数順（累計)"
  ByCharsCumulative = 3,     // "発言文字数順(累計)"
};

struct CountTallyOptions {
  CountOrder order = CountOrder::ByPostings;
  TimeTableChoice time_tables;
};

// Empties `report`, and `data` when given, and writes the report and its
// data rows into them; a throw leaves both as they were. Walks
// `store.Postings` in their current order, then the date table, when asked
// for, sorts them by time. Throws Failure (BadNumberText) when a number text
// of the target range is not an integer; nothing is written then.
// Leaves the postings: by time with the date table, else as found.
void NormalTobrel(LogStore& store, const TallySettings& settings,
                  const CountTallyOptions& options, TallyProgress& progress,
                  ReportText& report, ReportData* data = nullptr);

inline PostingOrderLeft OrderLeftBy(const CountTallyOptions& options) {
  return options.time_tables.by_date ? PostingOrderLeft::ByTime : PostingOrderLeft::AsFound;
}

}  // namespace tobrel
