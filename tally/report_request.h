// The one step from settings to report text that the desktop window and the
// command line share: which tally to run, with the options of its page and
// the settings every tally reads, over the store that the reading run filled.
#pragma once

#include <optional>
#include <string>

#include "core/log_store.h"
#include "tally/comment_tally.h"
#include "tally/count_tally.h"
#include "tally/report_data.h"
#include "tally/monthly_tally.h"
#include "tally/posting_order_left.h"
#include "tally/quote_tally.h"
#include "tally/report_text.h"
#include "tally/statistics_report.h"
#include "tally/tally_progress.h"
#include "tally/tally_settings.h"

namespace tobrel {

// The tallies, one per option page.
enum class TallyKind { Count, Quote, Comment, Stats, Month };

struct ReportRequest {
  TallyKind tally = TallyKind::Count;
  // Target range, the compact listing, hidden IDs and the same-person mapping.
  TallySettings settings;
  // The options of each page; only the one of `tally` is read.
  CountTallyOptions count;
  QuoteTallyOptions quote;
  CommentTallyOptions comment;
  StatsTallyOptions stats;
  MonthTallyOptions month;
};

struct ReportOutcome {
  ReportText lines;
};

// Runs the tally of `request` over `store`. With `data`,
// the same run also gives the report's tables as values (emptied first; left
// empty when the tally refuses). Throws Failure (TallyRefused) with the
// tally's own refusal, the monthly tally's checks, before anything is
// written; throws Failure (BadNumberText) when a number text of the target
// range is not an integer.
ReportOutcome MakeReport(LogStore& store, const ReportRequest& request,
                         TallyProgress& progress,
                         ReportData* data = nullptr);

// The order MakeReport leaves the store's postings in: that of the tally of
// `request` with its options.
PostingOrderLeft OrderLeftBy(const ReportRequest& request);

}  // namespace tobrel
