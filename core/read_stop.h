// Where a reading run asks its observer whether to stop: between blocks of
// lines, between files and while it waits for the second thread. Once the
// observer has said stop, the answer stays stop for the rest of the run.
#pragma once

#include <cstddef>

#include "core/read_run_observer.h"

namespace tobrel {

// Thrown out of the reading of one log when the run is to stop there; the
// run catches it and leaves that log out as a whole.
struct ReadStopped {};

class ReadStop {
 public:
  // Lines read or replayed between two questions.
  static constexpr std::size_t kLinesBetweenChecks = 1024;

  explicit ReadStop(ReadRunObserver& observer) : observer_(observer) {}

  // Lets the observer keep its window responsive, then tells whether it
  // asked to stop (now or before).
  bool Asked() {
    if (!asked_) {
      observer_.KeepResponsive();
      asked_ = observer_.StopRequested();
    }
    return asked_;
  }
  // Throws ReadStopped when the observer asked to stop.
  void ThrowIfAsked() {
    if (Asked()) throw ReadStopped{};
  }
  // For the line `index` of a log (0-based): asks every kLinesBetweenChecks
  // lines, from the first on.
  void AtLine(std::size_t index) {
    if (index % kLinesBetweenChecks == 0) ThrowIfAsked();
  }

 private:
  ReadRunObserver& observer_;
  bool asked_ = false;
};

}  // namespace tobrel
