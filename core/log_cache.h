// The cache of parsed logs on disk: one entry file per log in a folder of
// its own ($XDG_CACHE_HOME/tobrel/, see platform/program_folder.h), each
// named after the log's device and inode, so that a log that changed has
// its entry replaced. Entries are written to a temporary file in the folder
// and renamed into place, so runs at the same time share the folder safely:
// a reader sees an old entry or a new one, never half of one.
//
// The cache is a help, never a condition: an entry that cannot be read, or
// is not sound (core/log_cache_file.h), is as good as none, and a folder
// that cannot be made or written (read-only, a full disk) only means
// nothing is kept. No function here throws.
//
// The folder is kept under its cap by dropping the least recently used
// entries first. Use is told by the entry's modification time, which a
// load sets to the time of use: atime is not kept on many file systems
// (noatime, relatime) and an index file would need locking between runs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "core/log_cache_key.h"

namespace tobrel {

inline constexpr std::uint64_t kDefaultLogCacheCap = std::uint64_t{1} << 30;  // 1 GiB

// How a reading run uses the cache.
struct LogCacheUse {
  std::filesystem::path folder;
  std::uint64_t cap = kDefaultLogCacheCap;
  // Names the run's quoted-line test completely (its pattern and the
  // matcher's switches); the cache is for runs that can name it.
  std::string quote_identity;
};

// The entry file of the log of `key` in `folder`.
std::filesystem::path LogCacheEntryPath(const std::filesystem::path& folder, const LogCacheKey& key);

// Whether an entry for `key` stands in `folder`, by its first bytes alone.
bool HasLogCacheEntry(const std::filesystem::path& folder, const LogCacheKey& key);

// The bytes of an entry file, mapped read-only (an entry is read once, and
// mapping it costs no copy and no fresh memory); unmapped when it goes.
class LogCacheEntryBytes {
 public:
  LogCacheEntryBytes(const char* data, std::size_t size) : data_(data), size_(size) {}
  LogCacheEntryBytes(LogCacheEntryBytes&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
  LogCacheEntryBytes& operator=(LogCacheEntryBytes&&) = delete;
  ~LogCacheEntryBytes();

  std::string_view view() const { return {data_, size_}; }

 private:
  const char* data_;
  std::size_t size_;
};

// The bytes of the entry for `key` when it stands in `folder` as a regular
// file; sets its modification time to now (it was used). Whether they are
// sound is for CachedLogView::Open() to say.
std::optional<LogCacheEntryBytes> ReadLogCacheEntry(const std::filesystem::path& folder,
                                                    const LogCacheKey& key);

// Puts `pieces`, joined, in as the entry for `key`, making the folder when
// missing; false when that could not be done (then nothing is left behind).
// Written as they are, with no copy of them made and no wait for the disk.
bool WriteLogCacheEntry(const std::filesystem::path& folder, const LogCacheKey& key,
                        std::span<const std::string_view> pieces);

// Drops the least recently used entries until the entries take at most
// `cap` bytes; also temporary files that a run ended by a crash left more
// than an hour ago.
void TrimLogCache(const std::filesystem::path& folder, std::uint64_t cap);

struct LogCacheSummary {
  std::size_t entries = 0;
  std::uint64_t bytes = 0;
};

// The entries in `folder` (none when it is missing or cannot be listed).
LogCacheSummary SummarizeLogCache(const std::filesystem::path& folder);

// Removes every entry and temporary file of the cache from `folder`, and
// nothing else; gives how many files were removed.
std::size_t ClearLogCache(const std::filesystem::path& folder);

}  // namespace tobrel
