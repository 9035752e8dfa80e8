#include "core/log_cache_key.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <string>

#include "core/log_cache_hash.h"

namespace tobrel {
namespace {

// Reads `count` bytes at `offset`; false when fewer could be had.
bool ReadAt(int fd, std::string& bytes, std::uint64_t offset, std::size_t count) {
  bytes.resize(count);
  std::size_t got = 0;
  while (got < count) {
    const ssize_t n = ::pread(fd, bytes.data() + got, count - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    got += static_cast<std::size_t>(n);
  }
  return true;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::uint64_t ReadingIdentity(bool delimiter_only, bool exclude_interway, int current_year,
                              std::string_view quote_identity) {
  std::string text = std::to_string(kLogReaderVersion) + "/" + (delimiter_only ? "d" : "-") +
                     (exclude_interway ? "i" : "-") + "/" + std::to_string(current_year) + "/";
  text.append(quote_identity);
  return HashBytes(text, 0x6C6F672D63616368ull);
}

std::optional<LogCacheKey> LogCacheKeyOf(const std::string& path, std::uint64_t reading) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0 || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  LogCacheKey key;
  key.device = static_cast<std::uint64_t>(st.st_dev);
  key.inode = static_cast<std::uint64_t>(st.st_ino);
  key.size = static_cast<std::uint64_t>(st.st_size);
  key.mtime_ns = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  key.reading = reading;
  // The whole of a small log, else its two ends.
  std::string bytes;
  if (key.size <= 2 * kLogEndHashBytes) {
    if (!ReadAt(file.get(), bytes, 0, static_cast<std::size_t>(key.size))) return std::nullopt;
    key.content = HashBytes(bytes);
  } else {
    if (!ReadAt(file.get(), bytes, 0, kLogEndHashBytes)) return std::nullopt;
    const std::uint64_t head = HashBytes(bytes);
    if (!ReadAt(file.get(), bytes, key.size - kLogEndHashBytes, kLogEndHashBytes))
      return std::nullopt;
    key.content = HashBytes(bytes, head);
  }
  return key;
}

}  // namespace tobrel
