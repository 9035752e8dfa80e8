// Reading one large log on two threads. The second half is parsed on a
// second thread (core/parse_ahead.h), from the first line start past the
// middle and with an assembler of its own, while the calling thread parses
// from the top. Once the calling thread has fed the first lines of the
// second half too, it looks for a line after which both assemblers stand at
// the same boundary (both waiting for a header, or both having just taken
// that line as one): from there on they take every line alike, so what the
// second thread found after that line is exactly what the calling thread
// would find, and it is taken over instead. Where no such line comes among
// the first few hundred postings of the second half, the second thread's
// work is dropped and the calling thread reads on to the end as usual.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/article_rec.h"
#include "core/log_line_reader.h"
#include "core/parse_ahead.h"
#include "core/posting_assembler.h"

namespace tobrel {

// Every member is called on the thread that called Start(); only the
// parsing of the second half (with `is_quoted` and `store`) runs on the
// second thread.
class SecondHalfRead {
 public:
  // Starts reading the second half of `path`, which `reader` reads from its
  // top, when it has `least_size` bytes or more; nothing otherwise (also
  // where no thread can be had). `is_quoted` and `store` are called on the
  // second thread while the caller parses.
  static std::unique_ptr<SecondHalfRead> Start(const std::string& path,
                                               const LogLineReader& reader,
                                               std::uint64_t least_size,
                                               PostingAssembler::Options options,
                                               PostingAssembler::QuotedLineTest is_quoted,
                                               ParseSettings::StorePosting store);

  // The byte where the second half starts; the caller calls Meet() when the
  // next line it reads starts there, with the number of lines before it.
  std::uint64_t from() const { return from_; }
  // Waits at most `most` for the second thread to end its parse; true when
  // it has, and Meet() then returns at once.
  bool HalfParsedWithin(std::chrono::milliseconds most) { return half_->EndedWithin(most); }
  void Meet(std::size_t lines_before);
  bool met() const { return met_; }
  // The lines of the file, once met: those before the second half and those
  // the second thread read (up to the line it stopped at).
  std::size_t lines() const { return lines_before_ + half_->Wait().lines; }

  enum class Outcome { ReadOn, TookOver, GaveUp };
  // After the caller fed line `index` (0-based in the file) to `assembler`:
  // TookOver when it can stop there, once the postings the second thread
  // found after that line are added to `postings` and `excluded` and
  // `stray_headers` counts the whole file's; then RethrowError() throws
  // what stopped the second thread, if anything did. GaveUp when the caller
  // has to read on alone; ReadOn while it is not yet decided.
  Outcome TryTakeOver(std::size_t index, const PostingAssembler& assembler,
                      std::vector<ArticleRec>& postings, std::vector<ExcludedRec>& excluded,
                      std::size_t& stray_headers);
  // Throws what stopped the second thread, with the line numbers of the
  // whole file.
  void RethrowError() const;

 private:
  SecondHalfRead(std::uint64_t from, std::unique_ptr<ParseAhead> half)
      : from_(from), half_(std::move(half)) {}

  std::uint64_t from_;
  std::unique_ptr<ParseAhead> half_;
  bool met_ = false;
  std::size_t lines_before_ = 0;
  std::size_t next_boundary_ = 0;
};

}  // namespace tobrel
