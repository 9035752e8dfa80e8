#include "core/parse_from_back.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "platform/second_thread.h"

namespace tobrel {

ParseFromBack::ParseFromBack(std::vector<bool> second_thread, SettingsFor settings_for)
    : second_thread_(std::move(second_thread)),
      settings_for_(std::move(settings_for)),
      back_(second_thread_.size()),
      parsed_(second_thread_.size()),
      done_(second_thread_.size(), false) {
  // One log, or none the second thread may take: nothing to share.
  if (second_thread_.size() < 2 ||
      std::none_of(second_thread_.begin() + 1, second_thread_.end(), [](bool may) { return may; }))
    return;
  thread_ = StartSecondThread([this] { Run(); });
}

ParseFromBack::~ParseFromBack() {
  {
    const MutexLock lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void ParseFromBack::Run() {
  for (;;) {
    std::size_t log;
    {
      const MutexLock lock(mutex_);
      // The first log is always the calling thread's: it starts on it at once.
      if (stop_ || back_ <= std::max<std::size_t>(front_, 1)) return;
      log = --back_;
    }
    // A log left unparsed, even for want of memory, is read by the caller.
    std::unique_ptr<ParsedLog> parsed;
    if (second_thread_[log]) {
      try {
        parsed = std::make_unique<ParsedLog>();
        ParseLog(settings_for_(log), stop_, *parsed);
      } catch (...) {
        parsed.reset();
      }
    }
    {
      const MutexLock lock(mutex_);
      parsed_[log] = std::move(parsed);
      done_[log] = true;
    }
    changed_.notify_all();
  }
}

std::unique_ptr<ParsedLog> ParseFromBack::Take(std::size_t log,
                                               const std::function<bool()>& give_up) {
  constexpr std::chrono::milliseconds kWaitSlice{5};
  for (;;) {
    {
      MutexLock lock(mutex_);
      if (log < back_) {
        front_ = log + 1;
        return nullptr;
      }
      if (!done_[log]) lock.WaitUntil(changed_, std::chrono::steady_clock::now() + kWaitSlice);
      if (done_[log]) return std::move(parsed_[log]);
    }
    // Asked without the mutex: `give_up` may take a while (a window handles
    // its events there), and the second thread is not held up meanwhile.
    if (give_up && give_up()) return nullptr;
  }
}

}  // namespace tobrel
