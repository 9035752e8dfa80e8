// A regular file is read twice, in blocks, into one small buffer. The first
// pass only counts line ends: every LF, every CR, less every CR LF pair (a
// pair split between two blocks included), and one more for a last line
// without an end. The second pass hands out lines: it looks for the next CR
// or LF from where the last line ended, and when the buffer holds no end (or
// a CR that is its last byte, which may be the first half of a CR LF), the
// unfinished line moves to the front of the buffer and the next block is read
// after it; the buffer grows only for a line longer than itself. No more bytes
// are read than were counted, so a file that grows meanwhile gives the lines
// it had. Sixteen bytes are compared at a time; zero bytes after the data let
// the last comparison run over its end. A stream is read whole and its lines
// are handed out from there. A reading run that shows no progress has
// no use for the count: then the first pass is left out.
// The first pass also checks for a UTF-8 file (core/utf8_log_text.h); when
// it is left out, a pass that stops at the first byte that is not UTF-8
// checks alone. A UTF-8 file is read whole, as LoadLogLines reads it, and
// converted.
#include "core/log_line_reader.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tobrel {
namespace {

// Zero bytes kept after the data in the buffer.
constexpr std::size_t kPadding = 32;

// The byte count of a file read without counting: more than any file has,
// small enough that adding a buffer's size does not overflow.
constexpr std::uint64_t kUncounted = std::uint64_t{1} << 62;

// The first CR or LF in [from, end), or `end`; reads up to 16 bytes past
// `end`, which must be readable.
const char* FindLineEnd(const char* from, const char* end) {
#ifdef __SSE2__
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  for (const char* p = from; p < end; p += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const unsigned hits = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf))));
    if (hits != 0) return std::min(end, p + __builtin_ctz(hits));
  }
  return end;
#else
  const char* p = from;
  while (p < end && *p != '\r' && *p != '\n') ++p;
  return p;
#endif
}

// Counts LF and CR bytes and CR LF pairs in data[0, size); data[size] must be
// readable and not an LF, and 16 bytes past the end must be readable zeros.
struct EndCounts {
  std::uint64_t lf = 0, cr = 0, pairs = 0;
};

void CountEnds(const char* data, std::size_t size, EndCounts& counts) {
  std::size_t i = 0;
#ifdef __SSE2__
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i zero = _mm_setzero_si128();
  while (i < size) {
    // Byte counters of 8 bits: at most 255 rounds before they are summed.
    __m128i lf_sum = zero, cr_sum = zero, pair_sum = zero;
    for (int round = 0; round < 255 && i < size; ++round, i += 16) {
      const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
      const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 1));
      const __m128i is_cr = _mm_cmpeq_epi8(chunk, cr);
      lf_sum = _mm_sub_epi8(lf_sum, _mm_cmpeq_epi8(chunk, lf));
      cr_sum = _mm_sub_epi8(cr_sum, is_cr);
      pair_sum = _mm_sub_epi8(pair_sum, _mm_and_si128(is_cr, _mm_cmpeq_epi8(after, lf)));
    }
    auto total = [&](__m128i sums) {
      const __m128i halves = _mm_sad_epu8(sums, zero);
      return static_cast<std::uint64_t>(_mm_cvtsi128_si32(halves)) +
             static_cast<std::uint64_t>(_mm_cvtsi128_si32(_mm_srli_si128(halves, 8)));
    };
    counts.lf += total(lf_sum);
    counts.cr += total(cr_sum);
    counts.pairs += total(pair_sum);
  }
#else
  for (; i < size; ++i) {
    if (data[i] == '\n') ++counts.lf;
    if (data[i] == '\r') {
      ++counts.cr;
      if (data[i + 1] == '\n') ++counts.pairs;
    }
  }
#endif
}

}  // namespace

LogLineReader::LogLineReader(const std::filesystem::path& path, std::chrono::milliseconds fifo_wait,
                             std::size_t block_size, bool count_lines)
    : file_(path, fifo_wait), block_size_(std::max<std::size_t>(block_size, 1)) {
  if (file_.IsStream()) {
    whole_ = true;
    LoadStreamLines(file_, stream_lines_);
    conversion_ = ConvertUtf8LogLines(stream_lines_);
    count_ = stream_lines_.size();
    return;
  }
  capacity_ = block_size_;
  buffer_.reset(new char[capacity_ + kPadding]);
  // The first pass also tells a UTF-8 file; without it, a check alone.
  if (count_lines)
    CountLines();
  else
    CheckUtf8UntilSettled(file_, buffer_.get(), capacity_, utf8_);
  if (utf8_.IsUtf8Text()) {
    whole_ = true;
    conversion_ = LoadLogLinesAsCp932(path, stream_lines_, fifo_wait);
    count_ = stream_lines_.size();
    return;
  }
  file_.Rewind();
  // Uncounted: read to the end, however far it is.
  if (!count_lines) total_ = kUncounted;
  filled_ = 0;
  at_end_ = total_ == 0;
  std::memset(buffer_.get(), 0, kPadding);
}

void LogLineReader::CountLines() {
  char* block = buffer_.get();
  EndCounts counts;
  char last = '\n';
  while (const std::size_t got = file_.Read(block, capacity_)) {
    // A CR that ended the block before and an LF that starts this one.
    if (last == '\r' && block[0] == '\n') ++counts.pairs;
    std::memset(block + got, 0, kPadding);
    CountEnds(block, got, counts);
    utf8_.Feed(block, got);
    total_ += got;
    last = block[got - 1];
  }
  const bool unterminated_last = total_ > 0 && last != '\n' && last != '\r';
  count_ = static_cast<std::size_t>(counts.lf + counts.cr - counts.pairs) + (unterminated_last ? 1 : 0);
}

void LogLineReader::Refill() {
  // The unfinished line moves to the front.
  if (begin_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + begin_, filled_ - begin_);
    filled_ -= begin_;
    scan_ -= begin_;
    begin_ = 0;
  }
  const std::uint64_t left = total_ - read_;
  if (capacity_ - filled_ < std::min<std::uint64_t>(block_size_, left)) {
    // A line longer than the buffer: grow it, but never past what the rest
    // of the file can need.
    const std::size_t wanted = static_cast<std::size_t>(
        std::min<std::uint64_t>(std::max(capacity_ * 2, filled_ + block_size_), filled_ + left));
    std::unique_ptr<char[]> larger(new char[wanted + kPadding]);
    std::memcpy(larger.get(), buffer_.get(), filled_);
    buffer_ = std::move(larger);
    capacity_ = wanted;
  }
  const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(capacity_ - filled_, left));
  const std::size_t got = file_.Read(buffer_.get() + filled_, want);
  filled_ += got;
  read_ += got;
  // A file that got shorter since it was counted ends where it ends now.
  if (got == 0 || read_ == total_) at_end_ = true;
  std::memset(buffer_.get() + filled_, 0, kPadding);
}

bool LogLineReader::Next(std::string_view& line) {
  if (whole_) {
    if (next_stream_line_ >= stream_lines_.size()) return false;
    line = stream_lines_[next_stream_line_++];
    return true;
  }
  for (;;) {
    const char* data = buffer_.get();
    const std::size_t end = static_cast<std::size_t>(FindLineEnd(data + scan_, data + filled_) - data);
    if (end < filled_) {
      // An LF ends the line; so does a CR that has a byte after it, or that
      // ends the file. A CR LF is one end.
      if (data[end] == '\n' || end + 1 < filled_ || at_end_) {
        line = {data + begin_, end - begin_};
        begin_ = end + 1;
        if (data[end] == '\r' && end + 1 < filled_ && data[end + 1] == '\n') ++begin_;
        scan_ = begin_;
        return true;
      }
      scan_ = end;  // a CR as the last byte read: decided by the next block
    } else {
      if (at_end_) {
        if (begin_ == filled_) return false;
        line = {data + begin_, filled_ - begin_};
        begin_ = scan_ = filled_;
        return true;
      }
      scan_ = filled_;
    }
    Refill();
  }
}

}  // namespace tobrel
