#include "core/second_half_read.h"

#include <algorithm>
#include <string_view>
#include <system_error>

#include "core/input_file.h"
#include "platform/large_pages.h"

namespace tobrel {
namespace {

// How far past the middle the first line end is looked for.
constexpr std::size_t kLineEndSearch = 1u << 20;
// The boundaries of the second half kept for the caller to meet: those of
// the first few hundred postings.
constexpr std::size_t kMostBoundaries = 1024;
// Fewer bytes than any posting takes (see the reading run).
constexpr std::uint64_t kBytesPerPosting = 64;

// The byte after the first LF from `middle` on, within kLineEndSearch and
// before `end`; nothing where there is none. An LF ends a line however the
// bytes around it are read, so a line starts there for every reader.
std::optional<std::uint64_t> LineStartAfter(const std::filesystem::path& path, std::uint64_t middle,
                                            std::uint64_t end) {
  InputFile file(path, kFifoWriterWait);
  if (file.IsStream()) return std::nullopt;
  file.Seek(middle);
  std::vector<char> block(64 * 1024);
  for (std::uint64_t at = middle; at < end && at < middle + kLineEndSearch;) {
    const std::size_t got = file.Read(block.data(), block.size());
    if (got == 0) break;
    const auto lf = std::find(block.begin(), block.begin() + got, '\n');
    if (lf != block.begin() + got) {
      const std::uint64_t start = at + static_cast<std::uint64_t>(lf - block.begin()) + 1;
      if (start < end) return start;
      break;
    }
    at += got;
  }
  return std::nullopt;
}

}  // namespace

std::unique_ptr<SecondHalfRead> SecondHalfRead::Start(const std::filesystem::path& path,
                                                      const LogLineReader& reader,
                                                      std::uint64_t least_size,
                                                      PostingAssembler::Options options,
                                                      PostingAssembler::QuotedLineTest is_quoted,
                                                      StorePosting store) {
  if (!reader.ReadsInBlocks()) return nullptr;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return nullptr;
  const std::uint64_t end = std::min<std::uint64_t>(size, reader.EndOffset());
  if (end < least_size || end < 2) return nullptr;
  std::optional<std::uint64_t> from;
  try {
    from = LineStartAfter(path, end / 2, end);
  } catch (const FileReadError&) {
  }
  if (!from) return nullptr;
  std::unique_ptr<SecondHalfRead> half(
      new SecondHalfRead(path, *from, reader.EndOffset(), options, std::move(is_quoted), std::move(store)));
  try {
    half->thread_ = std::thread([raw = half.get()] { raw->Run(); });
  } catch (const std::system_error&) {
    return nullptr;
  }
  return half;
}

SecondHalfRead::SecondHalfRead(const std::filesystem::path& path, std::uint64_t from,
                               std::uint64_t to, PostingAssembler::Options options,
                               PostingAssembler::QuotedLineTest is_quoted, StorePosting store)
    : path_(path),
      from_(from),
      to_(to),
      options_(options),
      is_quoted_(std::move(is_quoted)),
      store_(std::move(store)) {}

SecondHalfRead::~SecondHalfRead() {
  stop_ = true;
  Join();
}

void SecondHalfRead::Join() {
  if (thread_.joinable()) thread_.join();
}

void SecondHalfRead::Run() {
  try {
    const std::unique_ptr<LogLineReader> reader = LogLineReader::FromOffset(path_, from_, to_);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path_, error);
    if (!error && size > from_) ReserveWithLargePages(postings_, (size - from_) / kBytesPerPosting);
    PostingAssembler assembler(options_, is_quoted_, [this](const CompletedPosting& posting) {
      store_(posting, postings_, excluded_);
    });
    // A run of lines waiting for a header keeps only its first: the caller
    // meets the second thread there or, at the latest, at the next header.
    PostingAssembler::Boundary last = PostingAssembler::Boundary::InsidePosting;
    std::string_view line;
    for (std::size_t i = 0; reader->Next(line); ++i) {
      if (i % 1024 == 0 && stop_.load(std::memory_order_relaxed)) return;
      lines_ = i + 1;
      assembler.Feed(line);
      if (boundaries_.size() == kMostBoundaries) continue;
      const PostingAssembler::Boundary state = assembler.boundary();
      if (state == PostingAssembler::Boundary::HeaderTaken ||
          (state == PostingAssembler::Boundary::SeekingHeader && last != state))
        boundaries_.push_back({i, state, postings_.size(), excluded_.size(), assembler.stray_headers()});
      last = state;
    }
    assembler.Finish();
    stray_headers_ = assembler.stray_headers();
  } catch (...) {
    error_ = std::current_exception();
  }
}

void SecondHalfRead::Meet(std::size_t lines_before) {
  Join();
  met_ = true;
  lines_before_ = lines_before;
}

SecondHalfRead::Outcome SecondHalfRead::TryTakeOver(std::size_t index,
                                                    const PostingAssembler& assembler,
                                                    std::vector<ArticleRec>& postings,
                                                    std::vector<ExcludedRec>& excluded,
                                                    std::size_t& stray_headers) {
  const std::size_t line = index - lines_before_;
  while (next_boundary_ < boundaries_.size() && boundaries_[next_boundary_].line < line)
    ++next_boundary_;
  if (next_boundary_ == boundaries_.size()) return Outcome::GaveUp;
  const Boundary& at = boundaries_[next_boundary_];
  if (at.line != line || at.state != assembler.boundary()) return Outcome::ReadOn;

  ReserveWithLargePages(postings, postings.size() + (postings_.size() - at.postings));
  postings.insert(postings.end(), postings_.begin() + static_cast<std::ptrdiff_t>(at.postings),
                  postings_.end());
  excluded.insert(excluded.end(), excluded_.begin() + static_cast<std::ptrdiff_t>(at.excluded),
                  excluded_.end());
  stray_headers = assembler.stray_headers() + (stray_headers_ - at.stray_headers);
  return Outcome::TookOver;
}

void SecondHalfRead::RethrowError() const {
  if (!error_) return;
  try {
    std::rethrow_exception(error_);
  } catch (const LogFormatError& e) {
    throw LogFormatError(e.line() + lines_before_, e.what());
  }
}

}  // namespace tobrel
