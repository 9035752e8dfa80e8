// Opens the next log of a reading run on a second thread while the lines of
// the one before are parsed on the calling thread. Opening a log reads it
// through once (to count its lines, or to keep a small file whole), so this
// overlaps that pass with the parsing. At most one log is opened ahead.
#pragma once

#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "core/log_line_reader.h"

namespace tobrel {

class ReaderPrefetch {
 public:
  ReaderPrefetch() = default;
  ReaderPrefetch(const ReaderPrefetch&) = delete;
  ReaderPrefetch& operator=(const ReaderPrefetch&) = delete;
  // Waits for a log being opened; what it opened or threw is dropped.
  ~ReaderPrefetch();

  // True for a log that may be opened on the second thread: one that is not
  // a stream (standard input, a FIFO, a socket), which is read whole and
  // may wait for its writer.
  static bool MayOpenAhead(const std::string& path);

  // Starts opening `path` as LogLineReader(path, kFifoWriterWait,
  // kDefaultBlockSize, count_lines) does, after waiting for the one before.
  void Start(const std::filesystem::path& path, bool count_lines);
  // Waits for the log started last and gives its reader, or throws what
  // opening it threw. Only after Start().
  std::unique_ptr<LogLineReader> Take();

 private:
  void Join();

  std::thread thread_;
  std::unique_ptr<LogLineReader> reader_;
  std::exception_ptr error_;
};

}  // namespace tobrel
