// What an entry of the cache of parsed logs is kept for: the log file as it
// stands (device, inode, size, modification time to the nanosecond, and a
// hash of its first and last 64 KiB) and everything else that decides what
// reading it gives: the reader's version, the switches that change how
// postings are assembled, the year two-digit years are read against, and
// the quoted-line test. Nothing else changes what reading a regular file
// gives: not its path as shown, not its place in the run, not which thread
// parses which part of it.
//
// Not caught: a change of the same size in the middle of a log larger than
// 128 KiB, outside its first and last 64 KiB, whose modification time was
// set back to what it was. Such a log is loaded from its old entry until
// the entry is dropped (`tobrel-cli cache --clear`, or --no-cache).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tobrel {

// The version of what reading a log gives. Goes up by one whenever the
// parsing of logs changes what it finds (the line reader, the recognisers,
// the assembler, character counting, the records made of postings), so
// that entries made by an older reader are read again.
inline constexpr std::uint32_t kLogReaderVersion = 1;

// The bytes hashed at either end of a log.
inline constexpr std::uint64_t kLogEndHashBytes = 64 * 1024;

struct LogCacheKey {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t mtime_ns = 0;
  std::uint64_t content = 0;  // hash of the first and last kLogEndHashBytes
  std::uint64_t reading = 0;  // ReadingIdentity()

  friend bool operator==(const LogCacheKey&, const LogCacheKey&) = default;
};

// The hash of the reading settings that decide what a log gives;
// `quote_identity` names the quoted-line test completely.
std::uint64_t ReadingIdentity(bool delimiter_only, bool exclude_interway, int current_year,
                              std::string_view quote_identity);

// The key of the log at `path` (symbolic links followed) as it stands now,
// read with the settings of `reading`; nothing when it is not a regular
// file or cannot be opened and read. Never blocks: a file that turned into
// a FIFO meanwhile is opened without waiting for a writer.
std::optional<LogCacheKey> LogCacheKeyOf(const std::string& path, std::uint64_t reading);

}  // namespace tobrel
