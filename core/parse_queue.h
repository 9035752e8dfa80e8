// The logs of a reading run shared out between the calling thread, which
// reads them from the first on, and a second thread, which parses them
// (core/parse_ahead.h) from the last back, until the two meet. The calling
// thread takes over, in order, the logs that the second thread parsed, as
// it reaches them. Logs that may not be parsed on the second thread (streams,
// and logs large enough to have their second half parsed there) are left
// to the calling thread.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/parse_ahead.h"

namespace tobrel {

class ParseQueue {
 public:
  using SettingsFor = std::function<ParseSettings(std::size_t log)>;

  // `second_thread[i]` says whether log i may be parsed on the second
  // thread, and `settings_for(i)` (called there) how.
  ParseQueue(std::vector<bool> second_thread, SettingsFor settings_for);
  ParseQueue(const ParseQueue&) = delete;
  ParseQueue& operator=(const ParseQueue&) = delete;
  // Stops the second thread soon and waits for it.
  ~ParseQueue();

  // For log i, asked in order from 0: what the second thread found of it,
  // waiting for it if need be; null when the calling thread is to read it.
  std::unique_ptr<ParsedLog> Take(std::size_t log);

 private:
  void Run();

  std::vector<bool> second_thread_;
  SettingsFor settings_for_;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t front_ = 0;  // logs [0, front_) are the calling thread's
  std::size_t back_;       // logs [back_, end) are the second thread's
  std::vector<std::unique_ptr<ParsedLog>> parsed_;  // by log, once parsed
  std::vector<bool> done_;                          // by log: parsed, or left to the caller
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace tobrel
