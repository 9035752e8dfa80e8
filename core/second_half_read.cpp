#include "core/second_half_read.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/input_file.h"
#include "platform/large_pages.h"

namespace tobrel {
namespace {

// How far past the middle the first line end is looked for.
constexpr std::size_t kLineEndSearch = 1u << 20;

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

std::unique_ptr<SecondHalfRead> SecondHalfRead::Start(const std::string& path,
                                                      const LogLineReader& reader,
                                                      std::uint64_t least_size,
                                                      PostingAssembler::Options options,
                                                      PostingAssembler::QuotedLineTest is_quoted,
                                                      ParseSettings::StorePosting store) {
  if (!reader.ReadsInBlocks()) return nullptr;
  const std::uint64_t end = std::min<std::uint64_t>(reader.FileSize(), reader.EndOffset());
  if (end < least_size || end < 2) return nullptr;
  std::optional<std::uint64_t> from;
  try {
    from = LineStartAfter(path, end / 2, end);
  } catch (const Failure&) {
  }
  if (!from) return nullptr;
  const std::uint64_t to = reader.EndOffset();
  std::unique_ptr<ParseAhead> half = ParseAhead::Start(
      {[path, from = *from, to] { return LogLineReader::FromOffset(path, from, to); }, end - *from,
       options, std::move(is_quoted), std::move(store), true});
  if (!half) return nullptr;
  return std::unique_ptr<SecondHalfRead>(new SecondHalfRead(*from, std::move(half)));
}

void SecondHalfRead::Meet(std::size_t lines_before) {
  half_->Wait();
  met_ = true;
  lines_before_ = lines_before;
}

SecondHalfRead::Outcome SecondHalfRead::TryTakeOver(std::size_t index,
                                                    const PostingAssembler& assembler,
                                                    std::vector<ArticleRec>& postings,
                                                    std::vector<ExcludedRec>& excluded,
                                                    std::size_t& stray_headers) {
  const ParsedLog& half = half_->Wait();
  const std::vector<ParsedLog::Boundary>& boundaries = half.boundaries;
  const std::size_t line = index - lines_before_;
  while (next_boundary_ < boundaries.size() && boundaries[next_boundary_].line < line)
    ++next_boundary_;
  if (next_boundary_ == boundaries.size()) return Outcome::GaveUp;
  const ParsedLog::Boundary& at = boundaries[next_boundary_];
  if (at.line != line || at.state != assembler.boundary()) return Outcome::ReadOn;

  const std::vector<ArticleRec>& found = half.postings;
  const std::vector<ExcludedRec>& left_out = half.excluded;
  ReserveWithLargePages(postings, postings.size() + (found.size() - at.postings));
  postings.insert(postings.end(), found.begin() + static_cast<std::ptrdiff_t>(at.postings), found.end());
  excluded.insert(excluded.end(), left_out.begin() + static_cast<std::ptrdiff_t>(at.excluded),
                  left_out.end());
  stray_headers = assembler.stray_headers() + (half.stray_headers - at.stray_headers);
  return Outcome::TookOver;
}

void SecondHalfRead::RethrowError() const {
  const ParsedLog& half = half_->Wait();
  try {
    half.open_error.Rethrow();
    half.error.Rethrow();
  } catch (const Failure& e) {
    if (e.kind() != FailureKind::InvalidLog) throw;
    throw Failure(e.kind(), e.message(), e.file(), e.line() + lines_before_, e.code());
  }
}

}  // namespace tobrel
