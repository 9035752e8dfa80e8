#include "cli/reports.h"
#include "cli/tally_context.h"

namespace tobrel {

std::vector<std::string> QuoteReport(ReportContext& context) {
  ReportRequest request;
  request.tally = TallyKind::Quote;
  request.quote.order = static_cast<QuoteOrder>(context.options.order);
  return RunReportRequest(context, std::move(request));
}

}  // namespace tobrel
