// Two pieces of work at once: one on a second thread, one on the calling
// thread, for steps that split into halves that touch nothing in common.
#pragma once

#include <thread>

#include "platform/second_thread.h"
#include "platform/thread_failure.h"

namespace tobrel {

// Runs `aside` on a second thread while `here` runs on this one, and waits
// for both; where no thread can be had, runs them one after the other here.
// What either throws is thrown once both have ended, `here`'s first.
// `aside` is called on the second thread only; both return before this does.
template <typename Aside, typename Here>
void RunSideBySide(Aside aside, Here here) {
  ThreadFailure aside_failure;
  std::thread thread = StartSecondThread(
      [&aside, &aside_failure] { aside_failure.Run(aside); });
  if (!thread.joinable()) {
    aside_failure.Run(aside);
    here();
    aside_failure.Rethrow();
    return;
  }
  try {
    here();
  } catch (...) {
    thread.join();
    throw;
  }
  thread.join();
  aside_failure.Rethrow();
}

}  // namespace tobrel
