// Starting a second thread for a step that can also run without one. Every
// thread the program starts goes through StartSecondThread(), so that the
// paths taken when the system has no thread to give can be tested: a
// RefuseSecondThreads object makes every start on the thread that made it
// fail, as the system's refusal would, while other threads go on as usual.
#pragma once

#include <system_error>
#include <thread>
#include <utility>

namespace tobrel {

// Whether starts on the calling thread are refused (by a RefuseSecondThreads).
bool SecondThreadsRefusedHere();

// Starts `work` on a new thread; gives an empty (not joinable) std::thread
// where the system refuses one (std::system_error) or starts are refused
// here. Throws what copying `work` throws, and std::bad_alloc.
template <typename Work>
std::thread StartSecondThread(Work&& work) {
  if (SecondThreadsRefusedHere()) return {};
  try {
    return std::thread(std::forward<Work>(work));
  } catch (const std::system_error&) {
    return {};
  }
}

// For tests: while it lives, every StartSecondThread() called on the thread
// that made it gives an empty thread. Only that thread is affected.
class RefuseSecondThreads {
 public:
  RefuseSecondThreads();
  ~RefuseSecondThreads();
  RefuseSecondThreads(const RefuseSecondThreads&) = delete;
  RefuseSecondThreads& operator=(const RefuseSecondThreads&) = delete;

 private:
  bool was_refused_;
};

}  // namespace tobrel
