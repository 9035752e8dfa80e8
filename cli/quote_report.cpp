#include "cli/reports.h"
#include "cli/tally_context.h"
#include "tally/quote_tally.h"

namespace tobrel {

std::vector<std::string> QuoteReport(ReportContext& context) {
  const CliOptions& options = context.options;
  ProgressLines progress(context.progress);
  std::vector<std::string> report;
  QuoteTobrel(context.store, TallySettingsFrom(options), static_cast<QuoteOrder>(options.order),
              progress, report);
  return report;
}

}  // namespace tobrel
