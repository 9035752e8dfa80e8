#include "cli/reports.h"
#include "cli/tally_context.h"

namespace tobrel {

std::vector<std::string> CountReport(ReportContext& context) {
  const CliOptions& options = context.options;
  ReportRequest request;
  request.tally = TallyKind::Count;
  request.count.order = static_cast<CountOrder>(options.order);
  auto asked = [&](char letter) { return options.tables.find(letter) != std::string::npos; };
  request.count.time_tables = {asked('d'), asked('m'), asked('h'), asked('w'), asked('i'), asked('z')};
  return RunReportRequest(context, std::move(request));
}

}  // namespace tobrel
