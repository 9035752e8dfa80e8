// What a tally shows while it runs: a short text in the first status panel,
// repainted at once, and an empty text when the tally ends. The desktop
// window and the command line implement it; the base class shows nothing.
// Texts are CP932.
#pragma once

#include <string_view>

namespace tobrel {

class TallyProgress {
 public:
  virtual ~TallyProgress() = default;
  virtual void ShowProgress(std::string_view /*text*/) {}
};

}  // namespace tobrel
