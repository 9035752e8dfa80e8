#include "cli/reports.h"
#include "cli/tally_context.h"

namespace tobrel {

std::vector<std::string> StatsReport(ReportContext& context) {
  const CliOptions& options = context.options;
  ReportRequest request;
  request.tally = TallyKind::Stats;
  request.stats.room_information = !options.no_rooms;
  request.stats.title_list = options.titles.has_value();
  request.stats.title_form = static_cast<TitleListForm>(options.titles.value_or(0));
  request.stats.missing_numbers = options.missing;
  return RunReportRequest(context, std::move(request));
}

}  // namespace tobrel
