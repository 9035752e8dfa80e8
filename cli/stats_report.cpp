#include "cli/reports.h"
#include "cli/tally_context.h"
#include "tally/statistics_report.h"

namespace tobrel {

std::vector<std::string> StatsReport(ReportContext& context) {
  const CliOptions& options = context.options;
  StatsOptions stats;
  stats.room_information = !options.no_rooms;
  stats.title_list = options.titles.has_value();
  stats.title_form = static_cast<TitleListForm>(options.titles.value_or(0));
  stats.missing_numbers = options.missing;
  ProgressLines progress(context.progress);
  std::vector<std::string> report;
  StatsTobrel(context.store, TallySettingsFrom(options), stats, progress, report);
  return report;
}

}  // namespace tobrel
