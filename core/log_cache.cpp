#include "core/log_cache.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <climits>
#include <cstdio>
#include <vector>

#include "core/log_cache_file.h"
#include "core/log_cache_hash.h"
#include "platform/regular_file.h"

namespace tobrel {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kEntryPrefix = "log-";
constexpr std::string_view kEntrySuffix = ".tobrelcache";
constexpr std::string_view kTemporaryMark = ".tobrelcache.tmp-";
// No sound entry is larger: a record per byte of a log of 16 GiB.
constexpr std::uint64_t kEntryLimit = std::uint64_t{1} << 40;

bool IsEntryName(const std::string& name) {
  return name.size() == kEntryPrefix.size() + 16 + kEntrySuffix.size() &&
         name.starts_with(kEntryPrefix) && name.ends_with(kEntrySuffix);
}

bool IsTemporaryName(const std::string& name) {
  return name.starts_with(kEntryPrefix) && name.find(kTemporaryMark) != std::string::npos;
}

struct EntryFile {
  fs::path path;
  std::uint64_t size;
  fs::file_time_type used;
};

// The regular files of the cache in `folder`: entries, and temporary files.
void ListCacheFiles(const fs::path& folder, std::vector<EntryFile>* entries,
                    std::vector<EntryFile>* temporaries) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    const bool entry = IsEntryName(name);
    if (!entry && !IsTemporaryName(name)) continue;
    std::error_code stat_error;
    if (!it->is_regular_file(stat_error) || it->is_symlink(stat_error)) continue;
    const std::uint64_t size = it->file_size(stat_error);
    const fs::file_time_type used = it->last_write_time(stat_error);
    if (stat_error) continue;
    (entry ? entries : temporaries)->push_back({it->path(), size, used});
  }
}

bool WriteAll(int fd, std::span<const std::string_view> pieces) {
  std::vector<iovec> left;
  for (const std::string_view piece : pieces)
    if (!piece.empty()) left.push_back({const_cast<char*>(piece.data()), piece.size()});
  std::size_t first = 0;
  while (first < left.size()) {
    const int count = static_cast<int>(std::min<std::size_t>(left.size() - first, IOV_MAX));
    const ssize_t n = ::writev(fd, left.data() + first, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    // Past what was written: whole pieces, then part of one.
    auto written = static_cast<std::size_t>(n);
    while (first < left.size() && written >= left[first].iov_len) written -= left[first++].iov_len;
    if (written > 0) {
      left[first].iov_base = static_cast<char*>(left[first].iov_base) + written;
      left[first].iov_len -= written;
    }
  }
  return true;
}

// A new temporary file beside the entry `path`, its name in `temporary`;
// the folder is made when missing.
int OpenTemporary(const fs::path& folder, const fs::path& path, std::string& temporary) {
  for (bool made = false;; made = true) {
    temporary = path.string() + ".tmp-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd >= 0 || errno != ENOENT || made) return fd;
    std::error_code error;
    fs::create_directories(folder, error);
  }
}

}  // namespace

fs::path LogCacheEntryPath(const fs::path& folder, const LogCacheKey& key) {
  const std::uint64_t identity =
      HashBytes(std::to_string(key.device) + ":" + std::to_string(key.inode));
  char name[64];
  std::snprintf(name, sizeof name, "log-%016" PRIx64 ".tobrelcache", identity);
  return folder / name;
}

bool HasLogCacheEntry(const fs::path& folder, const LogCacheKey& key) {
  try {
    RegularFile file(LogCacheEntryPath(folder, key), kEntryLimit);
    return CachedLogHeadMatches(file.ReadHead(CachedLogHeadSize()), key);
  } catch (...) {
    return false;
  }
}

LogCacheEntryBytes::~LogCacheEntryBytes() {
  if (data_ != nullptr) ::munmap(const_cast<char*>(data_), size_);
}

std::optional<LogCacheEntryBytes> ReadLogCacheEntry(const fs::path& folder, const LogCacheKey& key) {
  const fs::path path = LogCacheEntryPath(folder, key);
  // As a regular file is opened: without waiting on a FIFO, and refused
  // unless regular.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return std::nullopt;
  struct stat st;
  std::optional<LogCacheEntryBytes> bytes;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 &&
      static_cast<std::uint64_t>(st.st_size) <= kEntryLimit) {
    const auto size = static_cast<std::size_t>(st.st_size);
    void* data = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (data != MAP_FAILED) bytes.emplace(static_cast<const char*>(data), size);
  }
  ::close(fd);
  if (bytes) ::utimensat(AT_FDCWD, path.c_str(), nullptr, 0);
  return bytes;
}

bool WriteLogCacheEntry(const fs::path& folder, const LogCacheKey& key,
                        std::span<const std::string_view> pieces) {
  const fs::path path = LogCacheEntryPath(folder, key);
  std::string temporary;
  const int fd = OpenTemporary(folder, path, temporary);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, pieces);
  const bool closed = ::close(fd) == 0;
  if (written && closed && ::rename(temporary.c_str(), path.c_str()) == 0) return true;
  ::unlink(temporary.c_str());
  return false;
}

void TrimLogCache(const fs::path& folder, std::uint64_t cap) {
  try {
    std::vector<EntryFile> entries, temporaries;
    ListCacheFiles(folder, &entries, &temporaries);
    std::error_code error;
    const auto stale = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const EntryFile& file : temporaries)
      if (file.used < stale) fs::remove(file.path, error);
    std::uint64_t total = 0;
    for (const EntryFile& file : entries) total += file.size;
    if (total <= cap) return;
    std::sort(entries.begin(), entries.end(),
              [](const EntryFile& a, const EntryFile& b) { return a.used < b.used; });
    for (const EntryFile& file : entries) {
      if (total <= cap) break;
      if (fs::remove(file.path, error)) total -= file.size;
    }
  } catch (...) {
  }
}

LogCacheSummary SummarizeLogCache(const fs::path& folder) {
  LogCacheSummary summary;
  try {
    std::vector<EntryFile> entries, temporaries;
    ListCacheFiles(folder, &entries, &temporaries);
    summary.entries = entries.size();
    for (const EntryFile& file : entries) summary.bytes += file.size;
  } catch (...) {
  }
  return summary;
}

std::size_t ClearLogCache(const fs::path& folder) {
  std::size_t removed = 0;
  try {
    std::vector<EntryFile> files;
    ListCacheFiles(folder, &files, &files);
    std::error_code error;
    for (const EntryFile& file : files) removed += fs::remove(file.path, error) ? 1 : 0;
  } catch (...) {
  }
  return removed;
}

}  // namespace tobrel
