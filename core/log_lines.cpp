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

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// Calls on_end(offset, byte) for every CR and LF in data[0, size), in
// order. Sixteen bytes are compared at a time; lines run to about forty
// bytes, so most of the file is passed over in whole chunks.
template <typename OnEnd>
void ForEachLineEndByte(const char* data, std::size_t size, OnEnd&& on_end) {
  std::size_t i = 0;
#ifdef __SSE2__
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  for (; i + 16 <= size; i += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf))));
    while (mask != 0) {
      const unsigned bit = static_cast<unsigned>(__builtin_ctz(mask));
      on_end(i + bit, data[i + bit]);
      mask &= mask - 1;
    }
  }
#endif
  for (; i < size; ++i)
    if (data[i] == '\r' || data[i] == '\n') on_end(i, data[i]);
}

}  // namespace

void LogLines::clear() {
  bytes_.reset();
  std::vector<std::uint64_t>().swap(line_starts_);
}

void LoadLogLines(const std::filesystem::path& path, LogLines& lines) {
  lines.clear();
  InputFile file(path);
  std::unique_ptr<char[]> block(new char[kBlockSize]);

  // First pass: count line ends; a CR LF pair counts once, also when a block
  // ends between the two.
  std::uint64_t ends = 0;
  std::uint64_t total = 0;
  bool block_ended_in_cr = false;
  char last = '\n';
  while (const std::size_t got = file.Read(block.get(), kBlockSize)) {
    const char* data = block.get();
    ForEachLineEndByte(data, got, [&](std::size_t offset, char c) {
      const bool after_cr = offset > 0 ? data[offset - 1] == '\r' : block_ended_in_cr;
      if (c == '\r' || !after_cr) ++ends;
    });
    block_ended_in_cr = data[got - 1] == '\r';
    total += got;
    last = data[got - 1];
  }
  const bool unterminated_last = total > 0 && last != '\n' && last != '\r';
  const std::uint64_t count = ends + (unterminated_last ? 1 : 0);

  lines.bytes_.reset(new char[total == 0 ? 1 : total]);
  lines.line_starts_.reserve(count + 1);
  lines.line_starts_.push_back(0);

  // Second pass: the bytes go straight into the buffer; a line starts after
  // every line end, and the LF of a CR LF pair moves that start one byte on.
  // The file may have changed since it was counted: read no more than was
  // counted, and keep what was read if it got shorter.
  file.Rewind();
  std::uint64_t filled = 0;
  std::vector<std::uint64_t>& starts = lines.line_starts_;
  while (filled < total) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, total - filled));
    const std::size_t got = file.Read(lines.bytes_.get() + filled, want);
    if (got == 0) break;
    const char* buffer = lines.bytes_.get();
    ForEachLineEndByte(buffer + filled, got, [&](std::size_t offset, char c) {
      const std::uint64_t at = filled + offset;
      if (c == '\n' && at > 0 && buffer[at - 1] == '\r')
        starts.back() = at + 1;
      else
        starts.push_back(at + 1);
    });
    filled += got;
  }
  if (lines.line_starts_.back() != filled) lines.line_starts_.push_back(filled);
}

}  // namespace tobrel
