#include "cli/reports.h"
#include "cli/tally_context.h"
#include "tally/count_tally.h"

namespace tobrel {

std::vector<std::string> CountReport(ReportContext& context) {
  const CliOptions& options = context.options;
  const TallySettings settings = TallySettingsFrom(options);

  CountTallyOptions count;
  count.order = static_cast<CountOrder>(options.order);
  auto asked = [&](char letter) { return options.tables.find(letter) != std::string::npos; };
  count.tables = {asked('d'), asked('m'), asked('h'), asked('w'), asked('i'), asked('z')};

  ProgressLines progress(context.progress);
  std::vector<std::string> report;
  NormalTobrel(context.store, settings, count, progress, report);
  return report;
}

}  // namespace tobrel
