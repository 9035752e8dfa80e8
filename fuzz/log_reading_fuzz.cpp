// Fuzzes reading a log: arbitrary bytes are written to a file, loaded as
// lines and fed through posting assembly, and every completed posting is
// converted to a stored record. The first byte picks the options, and
// whether the bytes come from a file or, as from a shell's "<(...)", from a
// pipe. A file is also read line by line as the reading run reads it, in
// small blocks (counted first or not), and must give the same lines; every
// line must get the same answer from the default quote pattern's own tests
// as from the pattern matcher. The file lives in memory (a memfd opened by
// its /proc path), so runs cost no disk; an input that fits the pipe's buffer
// goes through a pipe. Input that is UTF-8 is converted to CP932 by both
// loaders alike; without its counting pass the reader checks for UTF-8 alone.
// A file is also read as a reading run with its second half parsed on a
// second thread (however small it is), which must leave in the store and
// say what reading it on one thread does; and through the cache of parsed
// logs (for an input in three), filling it and then loading from it, with
// exclusion rules picked by the first byte, which must leave and say what
// reading it without the cache does with the same rules.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/default_quote_line.h"
#include "core/log_cache.h"
#include "core/log_line_reader.h"
#include "core/log_lines.h"
#include "core/posting_assembler.h"
#include "core/read_run.h"
#include "core/utf8_log_text.h"
#include "regex/line_matcher.h"
#include "regex/quote_pattern.h"

namespace {

// The in-memory file, created once; gives its path.
std::string MemoryFile(int& fd) {
  fd = ::memfd_create("tobrel-fuzz-log", MFD_CLOEXEC);
  return "/proc/self/fd/" + std::to_string(fd);
}

bool SameRecords(const tobrel::ArticleRec& a, const tobrel::ArticleRec& b) {
  return a.Number == b.Number && a.Id == b.Id && a.Handle == b.Handle && a.Title == b.Title &&
         a.Room == b.Room && a.PostedAt == b.PostedAt && a.CommentTo == b.CommentTo &&
         a.CommentCount == b.CommentCount && a.TotalChars == b.TotalChars &&
         a.QuotedChars == b.QuotedChars && a.OwnChars == b.OwnChars;
}

// A folder of its own for the cache, in memory where the system has one,
// removed when the process ends.
const std::string& CacheFolder() {
  static const std::string* const folder = [] {
    const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    auto* path = new std::string(std::string(base) + "/tobrel-fuzz-cache-" + std::to_string(::getpid()));
    std::atexit([] {
      std::error_code error;
      std::filesystem::remove_all(CacheFolder(), error);
    });
    return path;
  }();
  return *folder;
}

// One reading run of `path`: `rule` set leaves out the postings of IDs that
// end in a multiple of three, or whose title is longer than a record holds.
struct Reading {
  tobrel::LogStore store;
  std::optional<std::string> error;
  std::vector<std::string> health;
};

Reading Read(const std::string& path, std::uint8_t flags, bool ahead, int rule, bool cached) {
  Reading reading;
  tobrel::ReadRunInputs inputs;
  inputs.candidates = {{path, true}};
  inputs.options.delimiter_only = (flags & 1) != 0;
  inputs.options.exclude_interway = (flags & 2) != 0;
  inputs.is_quoted = [](std::string_view line) { return !line.empty() && line[0] == '>'; };
  inputs.read_ahead = ahead;
  inputs.split_size = 1;
  inputs.options.use_exclusion = rule != 0;
  inputs.exclusion = [rule](std::string_view id, std::string_view title)
      -> std::optional<tobrel::ExclusionReason> {
    if (rule == 1 && !id.empty() && id.back() % 3 == 0) return tobrel::ExclusionReason::ById;
    if (rule == 2 && title.size() > 41) return tobrel::ExclusionReason::ByTitle;
    return std::nullopt;
  };
  if (cached) inputs.cache = tobrel::LogCacheUse{CacheFolder(), tobrel::kDefaultLogCacheCap, ">"};
  struct HealthObserver final : tobrel::ReadRunObserver {
    std::vector<std::string>* health;
    void ShowReadHealth(const std::vector<tobrel::FileReadHealth>& files) override {
      for (const tobrel::FileReadHealth& file : files)
        health->push_back(std::to_string(file.postings) + " " + std::to_string(file.stray_headers) +
                          " " + std::to_string(file.conversion.unmapped));
    }
  } observer;
  observer.health = &reading.health;
  const tobrel::ReadRunResult result = tobrel::ReadLogFiles(
      reading.store, inputs,
      tobrel::FixedClock(*tobrel::EncodeDateTime({2026, 12, 10, 0, 0, 0})), observer);
  if (result.stopped_by) reading.error = result.stopped_by->message();
  return reading;
}

void ExpectSame(const Reading& x, const Reading& y) {
  const tobrel::LogStore& a_store = x.store;
  const tobrel::LogStore& b_store = y.store;
  if (x.error != y.error || x.health != y.health) __builtin_trap();
  if (a_store.Postings.size() != b_store.Postings.size() ||
      a_store.Excluded.size() != b_store.Excluded.size())
    __builtin_trap();
  for (std::size_t i = 0; i < a_store.Postings.size(); ++i)
    if (!SameRecords(a_store.Postings[i], b_store.Postings[i])) __builtin_trap();
  for (std::size_t i = 0; i < a_store.Excluded.size(); ++i) {
    const tobrel::ExcludedRec& a = a_store.Excluded[i];
    const tobrel::ExcludedRec& b = b_store.Excluded[i];
    if (a.Reason != b.Reason || a.Room != b.Room || a.Number != b.Number || !(a.Id == b.Id) ||
        !(a.Handle == b.Handle) || !(a.Title == b.Title))
      __builtin_trap();
  }
}

// Reads `path` as a reading run on one thread, then with its second half
// parsed on a second one; both must leave and say the same. Then, for an
// input in three (which costs three reading runs more), through the cache,
// filled under one rule and loaded under another.
void CheckSecondHalfReading(const std::string& path, std::uint8_t flags, bool cached_too) {
  const int fill_rule = (flags >> 3) % 3;
  const int load_rule = (flags >> 5) % 3;
  const Reading alone = Read(path, flags, false, fill_rule, false);
  ExpectSame(Read(path, flags, true, fill_rule, false), alone);
  if (!cached_too) return;
  tobrel::ClearLogCache(CacheFolder());
  ExpectSame(Read(path, flags, true, fill_rule, true), alone);
  ExpectSame(Read(path, flags, false, load_rule, true), Read(path, flags, false, load_rule, false));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t flags = data[0];
  tobrel::LogLines lines;
  constexpr std::size_t kPipeBuffer = 65536;  // Linux's default: a write that never blocks
  if ((flags & 4) != 0 && size - 1 <= kPipeBuffer) {
    int pipe_fds[2];
    if (::pipe2(pipe_fds, O_CLOEXEC | O_NONBLOCK) != 0) return 0;  // a smaller buffer: no wait
    const bool written = ::write(pipe_fds[1], data + 1, size - 1) == static_cast<ssize_t>(size - 1);
    ::close(pipe_fds[1]);
    try {
      if (written) tobrel::LoadLogLinesAsCp932("/proc/self/fd/" + std::to_string(pipe_fds[0]), lines);
    } catch (const tobrel::Failure& failure) {
      if (failure.kind() != tobrel::FailureKind::FileUnreadable) throw;
    }
    ::close(pipe_fds[0]);
  } else {
    static int fd = -1;
    static const std::string path = MemoryFile(fd);
    if (::ftruncate(fd, 0) != 0 ||
        ::pwrite(fd, data + 1, size - 1, 0) != static_cast<ssize_t>(size - 1))
      return 0;
    try {
      const tobrel::Utf8Conversion conversion = tobrel::LoadLogLinesAsCp932(path, lines);
      // No character is longer in CP932 than in UTF-8.
      if (lines.text().size() > size - 1) __builtin_trap();
      // The block size comes from the input too, so that line ends fall
      // across every boundary; blocks of a few bytes only for short inputs.
      const std::size_t block = (size <= 2048 ? 1 : 509) + (flags >> 3) * 3;
      // Counted first (a small file is then kept whole) and not counted
      // (read in blocks only).
      for (const bool counted : {true, false}) {
        tobrel::LogLineReader reader(path, tobrel::kFifoWriterWait, block, counted);
        if (counted && reader.size() != lines.size()) __builtin_trap();
        if (reader.conversion().converted != conversion.converted ||
            reader.conversion().unmapped != conversion.unmapped)
          __builtin_trap();
        std::string_view line;
        std::size_t index = 0;
        while (reader.Next(line))
          if (index >= lines.size() || line != lines[index++]) __builtin_trap();
        if (index != lines.size()) __builtin_trap();
      }
      CheckSecondHalfReading(path, flags, size % 3 == 0);
    } catch (const tobrel::Failure& failure) {
      if (failure.kind() != tobrel::FailureKind::FileUnreadable) throw;
      return 0;
    }
  }
  static const tobrel::TLineMatcher* const quote = [] {
    auto* matcher = new tobrel::TLineMatcher;
    matcher->SetRegExp(tobrel::kDefaultQuotePattern);
    return matcher;
  }();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const bool quoted = quote->IsMatch(lines[i]);
    if (tobrel::IsDefaultQuoteLine(lines[i]) != quoted) __builtin_trap();
    if (tobrel::IsDefaultQuoteLogLine(lines[i]) != quoted) __builtin_trap();
  }
  // The raw bytes too, CR and LF inside.
  const std::string_view raw(reinterpret_cast<const char*>(data + 1), std::min<std::size_t>(size - 1, 4096));
  if (tobrel::IsDefaultQuoteLine(raw) != quote->IsMatch(raw)) __builtin_trap();

  tobrel::PostingAssembler assembler(
      {.delimiter_only = (flags & 1) != 0, .exclude_interway = (flags & 2) != 0},
      [](std::string_view line) { return !line.empty() && line[0] == '>'; },
      [](const tobrel::CompletedPosting& posting) {
        try {
          (void)tobrel::MakeArticleRec(posting, 2026);
        } catch (const tobrel::Failure& failure) {
          if (failure.kind() != tobrel::FailureKind::InvalidLog) __builtin_trap();
        }
        (void)tobrel::MakeExcludedRec(tobrel::ExclusionReason::ById, posting);
      });
  for (std::size_t i = 0; i < lines.size(); ++i) {
    try {
      assembler.Feed(lines[i]);
    } catch (const tobrel::Failure& failure) {
      if (failure.kind() != tobrel::FailureKind::InvalidLog) __builtin_trap();
    }
  }
  assembler.Finish();
  return 0;
}
