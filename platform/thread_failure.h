// What stopped work on a second thread, handed over to the thread that
// waits for it. The second thread keeps it with Run() or Keep(); the
// waiting thread reads it only after it has joined the second thread (the
// join orders the two), never while the work may still run.
#pragma once

#include <exception>
#include <utility>

namespace tobrel {

class ThreadFailure {
 public:
  // Runs `work`, keeping whatever it throws; true when it threw nothing.
  template <typename Work>
  bool Run(Work&& work) noexcept {
    try {
      std::forward<Work>(work)();
      return true;
    } catch (...) {
      Keep();
      return false;
    }
  }
  // Keeps the exception being handled; call only inside a catch block.
  void Keep() noexcept { failure_ = std::current_exception(); }

  explicit operator bool() const noexcept { return static_cast<bool>(failure_); }
  // Throws what was kept, if anything was.
  void Rethrow() const {
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  std::exception_ptr failure_;
};

}  // namespace tobrel
