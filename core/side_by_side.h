// Two pieces of work at once: one on a second thread, one on the calling
// thread, for steps that split into halves that touch nothing in common.
#pragma once

#include <exception>
#include <system_error>
#include <thread>

namespace tobrel {

// Runs `aside` on a second thread while `here` runs on this one, and waits
// for both; where no thread can be had, runs them one after the other here.
// What either throws is thrown once both have ended, `here`'s first.
template <typename Aside, typename Here>
void RunSideBySide(Aside aside, Here here) {
  std::exception_ptr aside_error;
  std::thread thread;
  try {
    thread = std::thread([&] {
      try {
        aside();
      } catch (...) {
        aside_error = std::current_exception();
      }
    });
  } catch (const std::system_error&) {
    aside();
    here();
    return;
  }
  try {
    here();
  } catch (...) {
    thread.join();
    throw;
  }
  thread.join();
  if (aside_error) std::rethrow_exception(aside_error);
}

}  // namespace tobrel
