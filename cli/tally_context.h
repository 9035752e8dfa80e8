// What the tally reports of tobrel-cli share: the settings every tally
// reads, taken from the options, and the progress texts on the progress
// stream.
#pragma once

#include <ostream>
#include <string_view>

#include "cli/cli_options.h"
#include "exclusion/same_id_map.h"
#include "platform/cp932.h"
#include "tally/tally_progress.h"
#include "tally/tally_settings.h"

namespace tobrel {

// The target range, --top100, --hide-ids and the pairs of --same-ids.
inline TallySettings TallySettingsFrom(const CliOptions& options) {
  TallySettings settings;
  settings.target = options.target;
  settings.top100_only = options.top100;
  settings.hide_ids = options.hide_ids;
  if (options.same_id_pairs) settings.MapSameId = MakeMapSameId(*options.same_id_pairs);
  return settings;
}

// Shows a tally's progress texts on the progress stream, one a line.
class ProgressLines final : public TallyProgress {
 public:
  explicit ProgressLines(std::ostream& out) : out_(out) {}
  void ShowProgress(std::string_view text) override {
    if (!text.empty()) out_ << cp932::ToUtf8(text) << '\n';
  }

 private:
  std::ostream& out_;
};

}  // namespace tobrel
