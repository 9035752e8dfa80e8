// Lines are found in two passes over the file. The first pass counts line
// ends (CR LF is one end; a lone CR or LF is one too) across 32 KiB blocks,
// carrying a CR that ends one block over to the next; the second pass reads
// the bytes into one buffer sized by the first and records where every line
// starts. A line's own bytes are its range less the trailing CR LF, CR or LF.
// Keeping the whole file in one buffer costs the file size plus eight bytes a
// line, and no copy of any line.
#include "core/log_lines.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace tobrel {
namespace {

constexpr std::size_t kBlockSize = 32768;

class InputFile {
 public:
  explicit InputFile(const std::filesystem::path& path)
      : path_(path), fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0) Fail();
  }
  ~InputFile() { ::close(fd_); }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Reads up to `size` bytes; 0 at the end of the file.
  std::size_t Read(char* buffer, std::size_t size) {
    for (;;) {
      const ssize_t got = ::read(fd_, buffer, size);
      if (got >= 0) return static_cast<std::size_t>(got);
      if (errno != EINTR) Fail();
    }
  }
  void Rewind() {
    if (::lseek(fd_, 0, SEEK_SET) < 0) Fail();
  }

 private:
  [[noreturn]] void Fail() {
    throw FileReadError(path_.string() + ": " + std::strerror(errno));
  }
  std::filesystem::path path_;
  int fd_;
};

// Counts line ends, a CR LF pair once even across blocks.
class LineEndCounter {
 public:
  void Add(const char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
      const char c = data[i];
      if (c == '\n') {
        if (!after_cr_) ++ends_;
        after_cr_ = false;
      } else if (c == '\r') {
        ++ends_;
        after_cr_ = true;
      } else {
        after_cr_ = false;
      }
    }
  }
  std::uint64_t ends() const { return ends_; }

 private:
  std::uint64_t ends_ = 0;
  bool after_cr_ = false;
};

}  // namespace

std::string_view LogLines::operator[](std::size_t index) const {
  const std::uint64_t begin = line_starts_[index];
  std::uint64_t end = line_starts_[index + 1];
  // Drop the line end: CR LF, CR or LF (a CR followed by LF is always a pair).
  if (end > begin && bytes_[end - 1] == '\n') {
    --end;
    if (end > begin && bytes_[end - 1] == '\r') --end;
  } else if (end > begin && bytes_[end - 1] == '\r') {
    --end;
  }
  return {bytes_.get() + begin, static_cast<std::size_t>(end - begin)};
}

void LogLines::clear() {
  bytes_.reset();
  std::vector<std::uint64_t>().swap(line_starts_);
}

void LoadLogLines(const std::filesystem::path& path, LogLines& lines) {
  lines.clear();
  InputFile file(path);
  std::unique_ptr<char[]> block(new char[kBlockSize]);

  LineEndCounter counter;
  std::uint64_t total = 0;
  char last = '\n';
  while (const std::size_t got = file.Read(block.get(), kBlockSize)) {
    counter.Add(block.get(), got);
    total += got;
    last = block[got - 1];
  }
  const bool unterminated_last = total > 0 && last != '\n' && last != '\r';
  const std::uint64_t count = counter.ends() + (unterminated_last ? 1 : 0);

  lines.bytes_.reset(new char[total == 0 ? 1 : total]);
  lines.line_starts_.reserve(count + 1);
  lines.line_starts_.push_back(0);

  // The file may have changed since it was counted: read no more than was
  // counted, and keep what was read if it got shorter.
  file.Rewind();
  std::uint64_t filled = 0;
  bool after_cr = false;
  while (filled < total) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, total - filled));
    const std::size_t got = file.Read(lines.bytes_.get() + filled, want);
    if (got == 0) break;
    const char* data = lines.bytes_.get() + filled;
    for (std::size_t i = 0; i < got; ++i) {
      const char c = data[i];
      if (c == '\n') {
        if (after_cr)
          lines.line_starts_.back() = filled + i + 1;  // the LF joins the CR's line end
        else
          lines.line_starts_.push_back(filled + i + 1);
        after_cr = false;
      } else if (c == '\r') {
        lines.line_starts_.push_back(filled + i + 1);
        after_cr = true;
      } else {
        after_cr = false;
      }
    }
    filled += got;
  }
  if (lines.line_starts_.back() != filled) lines.line_starts_.push_back(filled);
}

}  // namespace tobrel
