// The window's texts about what a reading run found out: a short line for
// the warning label under the read-file list and the status bar, naming the
// files, and a longer one with full paths for the label's tip.
#pragma once

#include <QString>
#include <vector>

#include "core/read_health.h"

namespace tobrel {

struct ReadHealthTexts {
  QString line;     // empty when there is nothing to tell
  QString details;  // one line per file, with its full path
  bool warning = false;  // not only notices
};

ReadHealthTexts MakeReadHealthTexts(const std::vector<FileReadHealth>& files);

}  // namespace tobrel
