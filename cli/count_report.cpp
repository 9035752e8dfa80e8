#include <ostream>

#include "cli/reports.h"
#include "platform/cp932.h"
#include "tally/count_tally.h"

namespace tobrel {
namespace {

// Shows the tally's progress texts on the progress stream, one a line.
class ProgressLines final : public TallyProgress {
 public:
  explicit ProgressLines(std::ostream& out) : out_(out) {}
  void ShowProgress(std::string_view text) override {
    if (!text.empty()) out_ << cp932::ToUtf8(text) << '\n';
  }

 private:
  std::ostream& out_;
};

}  // namespace

std::vector<std::string> CountReport(ReportContext& context) {
  const CliOptions& options = context.options;
  TallySettings settings;
  settings.target = options.target;
  settings.top100_only = options.top100;
  settings.hide_ids = options.hide_ids;

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
