// A stream (a pipe, a FIFO, standard input) cannot be read twice: it is read
// whole into a buffer that doubles as it fills, and its lines are found in
// one pass over it, by the same finder, so they come out the same.
// Lines of a regular file are found in two passes over it. The first pass counts line
// ends (CR LF is one end; a lone CR or LF is one too) across 32 KiB blocks;
// the second reads the bytes into one buffer sized by the first and records
// where every line starts. A line's own bytes are its range less the
// trailing CR LF, CR or LF.
// Keeping the whole file in one buffer costs the file size plus eight bytes a
// line, and no copy of any line.
#include "core/log_lines.h"

#include <algorithm>
#include <cstring>
#include <memory>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tobrel {
namespace {

constexpr std::size_t kBlockSize = 32768;

// Finds where lines start in a file fed in pieces: after every LF, and after
// every CR that no LF follows. A CR that ends a piece is decided when the
// next piece, or the end of the file, comes. Sixteen bytes are looked at a
// time; lines run to about forty bytes, so the work is mostly per line.
class LineStartFinder {
 public:
  // `offset` is the position of data[0] in the file.
  template <typename OnStart>
  void Feed(const char* data, std::size_t size, std::uint64_t offset, OnStart&& on_start) {
    if (size == 0) return;
    if (cr_pending_ && data[0] != '\n') on_start(offset);
    cr_pending_ = false;
    std::size_t i = 0;
#ifdef __SSE2__
    const __m128i cr_bytes = _mm_set1_epi8('\r');
    const __m128i lf_bytes = _mm_set1_epi8('\n');
    for (; i + 16 <= size; i += 16) {
      const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
      const unsigned cr = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, cr_bytes)));
      const unsigned lf = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lf_bytes)));
      unsigned ends = lf | (cr & ~(lf >> 1) & 0x7FFF);
      if (cr & 0x8000) {
        if (i + 16 == size)
          cr_pending_ = true;
        else if (data[i + 16] != '\n')
          ends |= 0x8000;
      }
      while (ends != 0) {
        on_start(offset + i + static_cast<unsigned>(__builtin_ctz(ends)) + 1);
        ends &= ends - 1;
      }
    }
#endif
    for (; i < size; ++i) {
      if (data[i] == '\n') {
        on_start(offset + i + 1);
      } else if (data[i] == '\r') {
        if (i + 1 == size)
          cr_pending_ = true;
        else if (data[i + 1] != '\n')
          on_start(offset + i + 1);
      }
    }
    end_ = offset + size;
  }

  // The end of the file: a CR still pending ends its line.
  template <typename OnStart>
  void Finish(OnStart&& on_start) {
    if (cr_pending_) on_start(end_);
    cr_pending_ = false;
  }

 private:
  bool cr_pending_ = false;
  std::uint64_t end_ = 0;
};

}  // namespace

// Reads a stream whole into one buffer that doubles as it fills, then
// finds its lines in one pass.
void LoadStreamLines(InputFile& file, LogLines& lines) {
  lines.clear();
  std::size_t capacity = kBlockSize;
  std::unique_ptr<char[]> bytes(new char[capacity]);
  std::uint64_t filled = 0;
  for (;;) {
    if (filled == capacity) {
      std::unique_ptr<char[]> larger(new char[capacity * 2]);
      std::memcpy(larger.get(), bytes.get(), capacity);
      bytes = std::move(larger);
      capacity *= 2;
    }
    const std::size_t got = file.Read(bytes.get() + filled, capacity - filled);
    if (got == 0) break;
    filled += got;
  }
  SetLogText(lines, std::move(bytes), filled);
}

void SetLogText(LogLines& lines, std::unique_ptr<char[]> bytes, std::uint64_t size) {
  lines.clear();
  std::vector<std::uint64_t>& starts = lines.line_starts_;
  starts.push_back(0);
  LineStartFinder finder;
  auto add_start = [&](std::uint64_t start) { starts.push_back(start); };
  finder.Feed(bytes.get(), size, 0, add_start);
  finder.Finish(add_start);
  if (starts.back() != size) starts.push_back(size);
  lines.bytes_ = std::move(bytes);
}

std::unique_ptr<char[]> TakeLogText(LogLines& lines, std::uint64_t& size) {
  size = lines.text().size();
  std::unique_ptr<char[]> bytes = std::move(lines.bytes_);
  lines.clear();
  return bytes;
}

void LogLines::clear() {
  bytes_.reset();
  std::vector<std::uint64_t>().swap(line_starts_);
}

void LoadLogLines(const std::filesystem::path& path, LogLines& lines,
                  std::chrono::milliseconds fifo_wait) {
  lines.clear();
  InputFile file(path, fifo_wait);
  if (file.IsStream()) {
    LoadStreamLines(file, lines);
    return;
  }
  std::unique_ptr<char[]> block(new char[kBlockSize]);

  // First pass: count the line ends and the bytes.
  std::uint64_t ends = 0;
  std::uint64_t total = 0;
  char last = '\n';
  LineStartFinder counter;
  auto count_end = [&](std::uint64_t) { ++ends; };
  while (const std::size_t got = file.Read(block.get(), kBlockSize)) {
    counter.Feed(block.get(), got, total, count_end);
    total += got;
    last = block[got - 1];
  }
  counter.Finish(count_end);
  const bool unterminated_last = total > 0 && last != '\n' && last != '\r';
  const std::uint64_t count = ends + (unterminated_last ? 1 : 0);

  lines.bytes_.reset(new char[total == 0 ? 1 : total]);
  lines.line_starts_.reserve(count + 1);
  lines.line_starts_.push_back(0);

  // Second pass: the bytes go straight into the buffer, and every line start
  // is recorded. The file may have changed since it was counted: read no
  // more than was counted, and keep what was read if it got shorter.
  file.Seek(0);
  std::uint64_t filled = 0;
  std::vector<std::uint64_t>& starts = lines.line_starts_;
  LineStartFinder finder;
  auto add_start = [&](std::uint64_t start) { starts.push_back(start); };
  while (filled < total) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, total - filled));
    const std::size_t got = file.Read(lines.bytes_.get() + filled, want);
    if (got == 0) break;
    finder.Feed(lines.bytes_.get() + filled, got, filled, add_start);
    filled += got;
  }
  finder.Finish(add_start);
  if (lines.line_starts_.back() != filled) lines.line_starts_.push_back(filled);
}

}  // namespace tobrel
