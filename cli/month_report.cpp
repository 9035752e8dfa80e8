#include "cli/reports.h"
#include "cli/tally_context.h"
#include "tally/monthly_tally.h"

namespace tobrel {

std::vector<std::string> MonthReport(ReportContext& context) {
  const CliOptions& options = context.options;
  MonthTallyOptions month;
  month.kind = static_cast<MonthKind>(options.kind);
  month.range = DefaultMonthRange(context.clock.Now());
  if (options.month_from) month.range.from = *options.month_from;
  if (options.month_to) month.range.to = *options.month_to;
  month.target_id = UpperCaseTargetId(options.target_id);
  ProgressLines progress(context.progress);
  std::vector<std::string> report;
  if (const auto refused =
          MonthTobrel(context.store, TallySettingsFrom(options), month, progress, report))
    throw ReportRefused(*refused);
  return report;
}

}  // namespace tobrel
