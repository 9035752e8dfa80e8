// What the processing run shows while it works: the busy cursor, the beep
// and message box of a refused run, the lines of the result view, and the
// recount's status text. The dialog's window and the command line implement
// it; every method does nothing (and lets the run go on) unless overridden.
// Texts are CP932.
#pragma once

#include <string_view>

#include "core/log_lines.h"
#include "tally/tally_progress.h"

namespace tobrel {

class ProcessObserver : public TallyProgress {
 public:
  virtual void SetBusyCursor(bool /*busy*/) {}
  // The asterisk beep and a message box of a refused run.
  virtual void Refuse(std::string_view /*message*/) {}
  virtual void ClearResult() {}
  virtual void AppendResultLine(std::string_view /*line*/) {}
  // Sees the input's lines once they are loaded, before the copy is made;
  // false withholds the copy: the run ends there and writes nothing.
  virtual bool GoOnWith(const LogLines& /*lines*/) { return true; }
};

}  // namespace tobrel
