// The logs of a reading run shared out between the calling thread, which
// reads them from the first on, and a second thread, which parses them
// (core/parse_ahead.h) from the last back, until the two meet. The calling
// thread takes over, in order, the logs that the second thread parsed, as
// it reaches them. Logs that may not be parsed on the second thread (streams,
// and logs large enough to have their second half parsed there) are left
// to the calling thread. Where no second thread can be had, every log is
// left to the calling thread.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "core/parse_ahead.h"
#include "platform/thread_annotations.h"

namespace tobrel {

// Constructor, destructor and Take() are called on one thread, the calling
// thread; `settings_for` and the functions of what it gives are called on
// the second thread.
class ParseFromBack {
 public:
  using SettingsFor = std::function<ParseSettings(std::size_t log)>;

  // `second_thread[i]` says whether log i may be parsed on the second
  // thread, and `settings_for(i)` (called there) how.
  ParseFromBack(std::vector<bool> second_thread, SettingsFor settings_for);
  ParseFromBack(const ParseFromBack&) = delete;
  ParseFromBack& operator=(const ParseFromBack&) = delete;
  // Stops the second thread soon and waits for it.
  ~ParseFromBack() EXCLUDES(mutex_);

  // For log i, asked in order from 0: what the second thread found of it,
  // waiting for it if need be; null when the calling thread is to read it.
  // While it waits it calls `give_up`, when given, every few milliseconds,
  // and gives null at once when that says true.
  std::unique_ptr<ParsedLog> Take(std::size_t log, const std::function<bool()>& give_up = {})
      EXCLUDES(mutex_);

 private:
  // The second thread's loop.
  void Run() EXCLUDES(mutex_);

  // Set before the second thread starts and only read after.
  const std::vector<bool> second_thread_;
  const SettingsFor settings_for_;

  Mutex mutex_;
  std::condition_variable changed_;  // signalled when done_ or stop_ changes
  std::size_t front_ GUARDED_BY(mutex_) = 0;  // logs [0, front_) are the calling thread's
  std::size_t back_ GUARDED_BY(mutex_);       // logs [back_, end) are the second thread's
  // By log, once parsed.
  std::vector<std::unique_ptr<ParsedLog>> parsed_ GUARDED_BY(mutex_);
  std::vector<bool> done_ GUARDED_BY(mutex_);  // by log: parsed, or left to the caller
  std::atomic<bool> stop_{false};  // also read by ParseLog() without the mutex
  std::thread thread_;
};

}  // namespace tobrel
