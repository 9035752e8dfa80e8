#include "cli/reports.h"
#include "cli/tally_context.h"

namespace tobrel {

std::vector<std::string> MonthReport(ReportContext& context) {
  const CliOptions& options = context.options;
  ReportRequest request;
  request.tally = TallyKind::Month;
  request.month.kind = static_cast<MonthKind>(options.kind);
  request.month.range = DefaultMonthRange(context.clock.Now());
  if (options.month_from) request.month.range.from = *options.month_from;
  if (options.month_to) request.month.range.to = *options.month_to;
  request.month.target_id = UpperCaseTargetId(options.target_id);
  return RunReportRequest(context, std::move(request));
}

}  // namespace tobrel
