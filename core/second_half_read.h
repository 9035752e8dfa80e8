// Reading one large log on two threads. The second half is parsed on a
// second thread, from the first line start past the middle and with an
// assembler of its own, while the calling thread parses from the top. Once
// the calling thread has fed the first lines of the second half too, it
// looks for a line after which both assemblers stand at the same boundary
// (both waiting for a header, or both having just taken that line as one):
// from there on they take every line alike, so what the second thread found
// after that line is exactly what the calling thread would find, and it is
// taken over instead. Where no such line comes among the first few hundred
// postings of the second half, the second thread's work is dropped and the
// calling thread reads on to the end as usual.
#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "core/article_rec.h"
#include "core/log_line_reader.h"
#include "core/posting_assembler.h"

namespace tobrel {

class SecondHalfRead {
 public:
  // Keeps or leaves out a completed posting, adding it to one of the lists.
  using StorePosting = std::function<void(const CompletedPosting& posting,
                                          std::vector<ArticleRec>& postings,
                                          std::vector<ExcludedRec>& excluded)>;

  // Starts reading the second half of `path`, which `reader` reads from its
  // top, when it has `least_size` bytes or more; nothing otherwise (also
  // where no thread can be had). `is_quoted` and `store` are called on the
  // second thread while the caller parses.
  static std::unique_ptr<SecondHalfRead> Start(const std::filesystem::path& path,
                                               const LogLineReader& reader,
                                               std::uint64_t least_size,
                                               PostingAssembler::Options options,
                                               PostingAssembler::QuotedLineTest is_quoted,
                                               StorePosting store);
  SecondHalfRead(const SecondHalfRead&) = delete;
  SecondHalfRead& operator=(const SecondHalfRead&) = delete;
  // Stops the second thread and waits for it.
  ~SecondHalfRead();

  // The byte where the second half starts; the caller calls Meet() when the
  // next line it reads starts there, with the number of lines before it.
  std::uint64_t from() const { return from_; }
  void Meet(std::size_t lines_before);
  bool met() const { return met_; }
  // The lines of the file, once met: those before the second half and those
  // the second thread read (up to the line it stopped at).
  std::size_t lines() const { return lines_before_ + lines_; }

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
  // Where the second thread's assembler stood after one of its lines, and
  // how much it had found by then.
  struct Boundary {
    std::size_t line;
    PostingAssembler::Boundary state;
    std::size_t postings, excluded, stray_headers;
  };

  SecondHalfRead(const std::filesystem::path& path, std::uint64_t from, std::uint64_t to,
                 PostingAssembler::Options options, PostingAssembler::QuotedLineTest is_quoted,
                 StorePosting store);
  void Run();
  void Join();

  std::filesystem::path path_;
  std::uint64_t from_, to_;
  PostingAssembler::Options options_;
  PostingAssembler::QuotedLineTest is_quoted_;
  StorePosting store_;

  // Written by the second thread, read once it has ended.
  std::vector<ArticleRec> postings_;
  std::vector<ExcludedRec> excluded_;
  std::vector<Boundary> boundaries_;
  std::size_t stray_headers_ = 0;  // of the whole half, when it ended well
  std::size_t lines_ = 0;          // read
  std::exception_ptr error_;

  std::atomic<bool> stop_{false};
  std::thread thread_;
  bool met_ = false;
  std::size_t lines_before_ = 0;
  std::size_t next_boundary_ = 0;
};

}  // namespace tobrel
