// Parsing the lines of a log on a second thread into lists of its own, for
// the reading run to take over: the next log whole while the one before is
// parsed on the calling thread, or the second half of a large log
// (core/second_half_read.h). The second thread opens the log, feeds every
// line to an assembler of its own and keeps or leaves out each completed
// posting; what it found, and what stopped it, are read once it has ended.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "core/article_rec.h"
#include "core/log_line_reader.h"
#include "core/posting_assembler.h"

namespace tobrel {

class ParseAhead {
 public:
  using Open = std::function<std::unique_ptr<LogLineReader>()>;
  // Keeps or leaves out a completed posting, adding it to one of the lists.
  using StorePosting = std::function<void(const CompletedPosting& posting,
                                          std::vector<ArticleRec>& postings,
                                          std::vector<ExcludedRec>& excluded)>;

  // Where the assembler stood after one of the lines, and how much it had
  // found by then. Kept, when asked for, for the first postings only: a
  // run of lines waiting for a header keeps only its first.
  struct Boundary {
    std::size_t line;  // 0-based
    PostingAssembler::Boundary state;
    std::size_t postings, excluded, stray_headers;
  };

  // Starts parsing on a second thread the log that `open` opens (there);
  // room is made for the postings of `bytes` bytes. Nothing where no thread
  // can be had. `open`, `is_quoted` and `store` are called on that thread.
  static std::unique_ptr<ParseAhead> Start(Open open, std::uint64_t bytes,
                                           PostingAssembler::Options options,
                                           PostingAssembler::QuotedLineTest is_quoted,
                                           StorePosting store, bool keep_boundaries);
  ParseAhead(const ParseAhead&) = delete;
  ParseAhead& operator=(const ParseAhead&) = delete;
  // Stops the second thread soon and waits for it.
  ~ParseAhead();

  // Waits for the second thread to end; what follows may be read after.
  void Wait();

  // What opening the log threw; then nothing else was found.
  const std::exception_ptr& open_error() const { return open_error_; }
  // The log as opened: its line count and conversion.
  const LogLineReader& reader() const { return *reader_; }
  // What stopped the parse after `lines()` lines were read, if anything.
  const std::exception_ptr& error() const { return error_; }
  std::size_t lines() const { return lines_; }
  // Of the whole log, when nothing stopped the parse.
  std::size_t stray_headers() const { return stray_headers_; }
  const std::vector<ArticleRec>& postings() const { return postings_; }
  const std::vector<ExcludedRec>& excluded() const { return excluded_; }
  const std::vector<Boundary>& boundaries() const { return boundaries_; }

 private:
  ParseAhead(Open open, std::uint64_t bytes, PostingAssembler::Options options,
             PostingAssembler::QuotedLineTest is_quoted, StorePosting store, bool keep_boundaries);
  void Run();

  Open open_;
  std::uint64_t bytes_;
  PostingAssembler::Options options_;
  PostingAssembler::QuotedLineTest is_quoted_;
  StorePosting store_;
  bool keep_boundaries_;

  // Written by the second thread, read once it has ended.
  std::unique_ptr<LogLineReader> reader_;
  std::exception_ptr open_error_;
  std::exception_ptr error_;
  std::size_t lines_ = 0;
  std::size_t stray_headers_ = 0;
  std::vector<ArticleRec> postings_;
  std::vector<ExcludedRec> excluded_;
  std::vector<Boundary> boundaries_;

  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace tobrel
