#include "core/parse_ahead.h"

#include <new>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "platform/large_pages.h"
#include "platform/second_thread.h"

namespace tobrel {
namespace {

// The boundaries kept: those of the first few hundred postings.
constexpr std::size_t kMostBoundaries = 1024;
// Fewer bytes than any posting takes (see the reading run).
constexpr std::uint64_t kBytesPerPosting = 64;
// Lines between two looks at the stop.
constexpr std::size_t kLinesBetweenStops = 1024;

}  // namespace

void ParseLog(const ParseSettings& settings, const std::atomic<bool>& stop, ParsedLog& parsed) {
  // The reader, with the file it may hold whole, goes once the log is read.
  std::unique_ptr<LogLineReader> reader;
  try {
    reader = settings.open();
  } catch (...) {
    parsed.open_error.Keep();
    return;
  }
  parsed.line_count = reader->size();
  parsed.conversion = reader->conversion();
  try {
    // Room the system cannot give is no error: the list grows as it must.
    ReserveWithLargePages(parsed.postings, static_cast<std::size_t>(settings.bytes / kBytesPerPosting));
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  parsed.error.Run([&settings, &stop, &parsed, &reader] {
    PostingAssembler assembler(settings.options, settings.is_quoted,
                               [&settings, &parsed](const CompletedPosting& posting) {
                                 settings.store(posting, parsed.postings, parsed.excluded);
                               });
    PostingAssembler::Boundary last = PostingAssembler::Boundary::InsidePosting;
    std::string_view line;
    for (std::size_t i = 0; reader->Next(line); ++i) {
      if (i % kLinesBetweenStops == 0 && stop.load(std::memory_order_relaxed)) return;
      parsed.lines = i + 1;
      assembler.Feed(line);
      if (settings.keep_boundaries && parsed.boundaries.size() < kMostBoundaries) {
        // The caller meets a run waiting for a header at its first line or,
        // at the latest, at the header that ends it.
        const PostingAssembler::Boundary state = assembler.boundary();
        if (state == PostingAssembler::Boundary::HeaderTaken ||
            (state == PostingAssembler::Boundary::SeekingHeader && last != state))
          parsed.boundaries.push_back(
              {i, state, parsed.postings.size(), parsed.excluded.size(), assembler.stray_headers()});
        last = state;
      }
      // The empty lines after an empty one go at once, up to the next line
      // where the stop is looked at; they leave the assembler where it is,
      // so they add no boundary.
      if (line.empty()) {
        const std::size_t more =
            reader->TakeEmptyLines((kLinesBetweenStops - 1) - i % kLinesBetweenStops);
        assembler.FeedEmptyLines(more);
        i += more;
        parsed.lines = i + 1;
      }
    }
    assembler.Finish();
    parsed.stray_headers = assembler.stray_headers();
    if (settings.parsed_whole) settings.parsed_whole(parsed);
  });
}

std::unique_ptr<ParseAhead> ParseAhead::Start(ParseSettings settings) {
  std::unique_ptr<ParseAhead> ahead(new ParseAhead(std::move(settings)));
  ahead->thread_ = StartSecondThread([raw = ahead.get()] {
    ParseLog(raw->settings_, raw->stop_, raw->parsed_);
    {
      const MutexLock lock(raw->mutex_);
      raw->ended_ = true;
    }
    raw->ended_changed_.notify_all();
  });
  if (!ahead->thread_.joinable()) return nullptr;
  return ahead;
}

ParseAhead::~ParseAhead() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

bool ParseAhead::EndedWithin(std::chrono::milliseconds most) {
  const auto until = std::chrono::steady_clock::now() + most;
  MutexLock lock(mutex_);
  while (!ended_)
    if (!lock.WaitUntil(ended_changed_, until)) return ended_;
  return true;
}

const ParsedLog& ParseAhead::Wait() {
  if (thread_.joinable()) thread_.join();
  return parsed_;
}

}  // namespace tobrel
