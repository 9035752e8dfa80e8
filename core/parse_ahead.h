// Parsing the lines of a log on a second thread into lists of its own, for
// the reading run to take over: logs parsed ahead of the one read on the
// calling thread (core/parse_from_back.h), or the second half of a large log
// (core/second_half_read.h). ParseLog() opens the log, feeds every line to
// an assembler of its own and keeps or leaves out each completed posting;
// what it found, and what stopped it, are read once it has ended.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "core/article_rec.h"
#include "core/log_line_reader.h"
#include "core/posting_assembler.h"
#include "platform/thread_annotations.h"
#include "platform/thread_failure.h"

namespace tobrel {

struct ParsedLog;

// How to parse a log away from the calling thread.
struct ParseSettings {
  using Open = std::function<std::unique_ptr<LogLineReader>()>;
  // Keeps or leaves out a completed posting, adding it to one of the lists.
  using StorePosting = std::function<void(const CompletedPosting& posting,
                                          std::vector<ArticleRec>& postings,
                                          std::vector<ExcludedRec>& excluded)>;
  Open open;
  std::uint64_t bytes = 0;  // room is made for the postings of so many bytes
  PostingAssembler::Options options;
  PostingAssembler::QuotedLineTest is_quoted;
  StorePosting store;
  bool keep_boundaries = false;
  // When given, called on the parsing thread once the log was parsed to its
  // end without an error, with what was found, which it may change; what
  // it throws is kept as the parse's error.
  std::function<void(ParsedLog&)> parsed_whole;
};

// What parsing a log found.
struct ParsedLog {
  // Where the assembler stood after one of the lines, and how much it had
  // found by then. Kept, when asked for, for the first postings only: a
  // run of lines waiting for a header keeps only its first.
  struct Boundary {
    std::size_t line;  // 0-based
    PostingAssembler::Boundary state;
    std::size_t postings, excluded, stray_headers;
  };

  ThreadFailure open_error;  // then nothing else was found
  // The log as opened: its line count (when counted) and conversion.
  std::size_t line_count = 0;
  Utf8Conversion conversion;
  ThreadFailure error;  // what stopped the parse after `lines` lines
  std::size_t lines = 0;
  std::size_t stray_headers = 0;  // of the whole log, when nothing stopped the parse
  std::vector<ArticleRec> postings;
  std::vector<ExcludedRec> excluded;
  std::vector<Boundary> boundaries;
};

// Parses a log as `settings` say into `parsed`; stops early, leaving
// `parsed` unfinished, once `stop` is set. Runs on the thread that calls
// it, as do the functions of `settings`; `stop` may be set from any thread.
void ParseLog(const ParseSettings& settings, const std::atomic<bool>& stop, ParsedLog& parsed);

// ParseLog() on a second thread. Every member is called by the thread that
// called Start(); only ParseLog() runs on the second thread, and what it
// found is read once that thread has been joined.
class ParseAhead {
 public:
  // Starts parsing; nothing where no thread can be had. What `settings`
  // holds is called on that thread.
  static std::unique_ptr<ParseAhead> Start(ParseSettings settings);
  ParseAhead(const ParseAhead&) = delete;
  ParseAhead& operator=(const ParseAhead&) = delete;
  // Stops the second thread soon and waits for it.
  ~ParseAhead();

  // Waits for the second thread to end and gives what it found.
  const ParsedLog& Wait();
  // Waits at most `most` for the parse to end; true when it has.
  bool EndedWithin(std::chrono::milliseconds most) EXCLUDES(mutex_);

 private:
  explicit ParseAhead(ParseSettings settings) : settings_(std::move(settings)) {}

  ParseSettings settings_;
  ParsedLog parsed_;
  std::atomic<bool> stop_{false};
  Mutex mutex_;
  std::condition_variable ended_changed_;
  bool ended_ GUARDED_BY(mutex_) = false;  // set by the second thread as it ends
  std::thread thread_;
};

}  // namespace tobrel
