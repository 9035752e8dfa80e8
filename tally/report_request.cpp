#include "tally/report_request.h"

namespace tobrel {

ReportOutcome MakeReport(LogStore& store, const ReportRequest& request,
                         TallyProgress& progress,
                         ReportData* data) {
  ReportOutcome outcome;
  if (data) data->clear();
  switch (request.tally) {
    case TallyKind::Count:
      NormalTobrel(store, request.settings, request.count, progress, outcome.lines, data);
      break;
    case TallyKind::Quote:
      QuoteTobrel(store, request.settings, request.quote, progress, outcome.lines, data);
      break;
    case TallyKind::Comment:
      CommentTobrel(store, request.settings, request.comment, progress, outcome.lines,
                    data);
      break;
    case TallyKind::Stats:
      StatsTobrel(store, request.settings, request.stats, progress, outcome.lines, data);
      break;
    case TallyKind::Month:
      MonthTobrel(store, request.settings, request.month, progress, outcome.lines, data);
      break;
  }
  return outcome;
}

PostingOrderLeft OrderLeftBy(const ReportRequest& request) {
  switch (request.tally) {
    case TallyKind::Count: return OrderLeftBy(request.count);
    case TallyKind::Quote: return OrderLeftBy(request.quote);
    case TallyKind::Comment: return OrderLeftBy(request.comment);
    case TallyKind::Stats: return OrderLeftBy(request.stats);
    case TallyKind::Month: return OrderLeftBy(request.month);
  }
  return PostingOrderLeft::AsFound;
}

}  // namespace tobrel
