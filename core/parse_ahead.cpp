#include "core/parse_ahead.h"

#include <new>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <utility>

#include "platform/large_pages.h"

namespace tobrel {
namespace {

// The boundaries kept: those of the first few hundred postings.
constexpr std::size_t kMostBoundaries = 1024;
// Fewer bytes than any posting takes (see the reading run).
constexpr std::uint64_t kBytesPerPosting = 64;

}  // namespace

std::unique_ptr<ParseAhead> ParseAhead::Start(Open open, std::uint64_t bytes,
                                              PostingAssembler::Options options,
                                              PostingAssembler::QuotedLineTest is_quoted,
                                              StorePosting store, bool keep_boundaries) {
  std::unique_ptr<ParseAhead> ahead(new ParseAhead(std::move(open), bytes, options,
                                                   std::move(is_quoted), std::move(store),
                                                   keep_boundaries));
  try {
    ahead->thread_ = std::thread([raw = ahead.get()] { raw->Run(); });
  } catch (const std::system_error&) {
    return nullptr;
  }
  return ahead;
}

ParseAhead::ParseAhead(Open open, std::uint64_t bytes, PostingAssembler::Options options,
                       PostingAssembler::QuotedLineTest is_quoted, StorePosting store,
                       bool keep_boundaries)
    : open_(std::move(open)),
      bytes_(bytes),
      options_(options),
      is_quoted_(std::move(is_quoted)),
      store_(std::move(store)),
      keep_boundaries_(keep_boundaries) {}

ParseAhead::~ParseAhead() {
  stop_ = true;
  Wait();
}

void ParseAhead::Wait() {
  if (thread_.joinable()) thread_.join();
}

void ParseAhead::Run() {
  try {
    reader_ = open_();
  } catch (...) {
    open_error_ = std::current_exception();
    return;
  }
  try {
    // Room the system cannot give is no error: the list grows as it must.
    ReserveWithLargePages(postings_, static_cast<std::size_t>(bytes_ / kBytesPerPosting));
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  try {
    PostingAssembler assembler(options_, is_quoted_, [this](const CompletedPosting& posting) {
      store_(posting, postings_, excluded_);
    });
    PostingAssembler::Boundary last = PostingAssembler::Boundary::InsidePosting;
    std::string_view line;
    for (std::size_t i = 0; reader_->Next(line); ++i) {
      if (i % 1024 == 0 && stop_.load(std::memory_order_relaxed)) return;
      lines_ = i + 1;
      assembler.Feed(line);
      if (!keep_boundaries_ || boundaries_.size() == kMostBoundaries) continue;
      // The caller meets a run waiting for a header at its first line or,
      // at the latest, at the header that ends it.
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

}  // namespace tobrel
