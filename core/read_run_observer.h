// What a reading run shows while it works: status texts, the progress bar,
// the minimised window and its title, the counters below the file lists. The
// desktop window and the command line implement it; every method does
// nothing unless overridden. Texts are CP932.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/read_health.h"

namespace tobrel {

class ReadRunObserver {
 public:
  virtual ~ReadRunObserver() = default;

  virtual void ShowCandidatesPage() {}  // "選択可能ﾛｸﾞﾌｧｲﾙ一覧"
  virtual void ShowReadFilesPage() {}   // "読込み済みﾛｸﾞﾌｧｲﾙ一覧"
  virtual void SetBusyCursor(bool /*busy*/) {}
  virtual std::string ApplicationTitle() const { return {}; }
  virtual void SetApplicationTitle(std::string_view /*title*/) {}
  virtual void Minimize() {}
  virtual void Restore() {}
  virtual void Beep() {}
  // The first status panel; repainted at once.
  virtual void ShowStatus(std::string_view /*text*/) {}
  // The progress bar runs from 0 to `maximum` (a log's lines less one); a
  // log moves it on about a thousand times, not at each of its lines.
  virtual void SetProgressRange(int /*maximum*/) {}
  virtual void SetProgressPosition(int /*position*/) {}
  // False for an observer that shows no progress bar: the run then does not
  // count a file's lines before it reads them, and the range and positions
  // it gives mean nothing.
  virtual bool ShowsProgress() const { return true; }
  virtual void SetFilesLabel(std::string_view /*text*/) {}     // "%3d Files"
  virtual void SetArticlesLabel(std::string_view /*text*/) {}  // "%6d Article 読込み済み"
  // At the end of the run, also one stopped by an error: what it found out
  // about each file it read to the end, in reading order.
  virtual void ShowReadHealth(const std::vector<FileReadHealth>& /*files*/) {}

  // Asked on the reading thread between blocks of lines, between files and
  // while it waits for the second thread: first KeepResponsive(), where a
  // window may handle its pending events (it is called often, every few
  // hundred microseconds of work, so it should look at the time before doing
  // anything costly), then StopRequested(). Once that says true the run
  // leaves out the file it is in as a whole, keeps every file read to its end
  // before it, and ends with the finishing steps (ReadRunResult::stopped).
  // KeepResponsive() alone is also called on either side of the finishing
  // steps' sort.
  virtual void KeepResponsive() {}
  virtual bool StopRequested() { return false; }
};

}  // namespace tobrel
