// A regular file is read twice, in blocks, into one small buffer. The first
// pass only counts line ends: every LF, every CR, less every CR LF pair (a
// pair split between two blocks included), and one more for a last line
// without an end. The second pass hands out lines: it looks for the next CR
// or LF from where the last line ended, and when the buffer holds no end (or
// a CR that is its last byte, which may be the first half of a CR LF), the
// unfinished line moves to the front of the buffer and the next block is read
// after it; the buffer grows only for a line longer than itself (by doubling,
// its pages moved rather than copied: core/line_buffer.h), and a grown one is
// filled a piece at a time, so that line ends are looked for in bytes still
// in the processor's cache. No more bytes are read than were counted, so a
// file that grows meanwhile gives the lines it had. A small file (16 MiB with the default block size) is kept whole by
// the first pass instead, and its lines are handed out from there; a file of
// one block is, even when its lines are not counted. The line
// ends of 64 bytes at a time are found at once and kept as the bits of one
// word, which the next lines take one by one; zero bytes after the data let
// the last comparison run over its end. A stream is read whole and its lines
// are handed out from there. A reading run that shows no progress has no use
// for the count: then the first pass is left out. The first pass also checks
// for a UTF-8 file (core/utf8_log_text.h); when it is left out, a pass that
// stops at the first byte that is not UTF-8 checks alone. A UTF-8 file is
// read whole, as LoadLogLines reads it, and converted.
#include "core/log_line_reader.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <immintrin.h>
#endif

namespace tobrel {
namespace {

// Zero bytes kept after the data in the buffer: enough for a window of
// line ends that starts at its last byte.
constexpr std::size_t kPadding = 64;

// The most bytes read at a time into a buffer grown for a long line.
constexpr std::size_t kGrownReadSize = std::size_t{1} << 20;

// The byte count of a file read without counting: more than any file has,
// small enough that adding a buffer's size does not overflow.
constexpr std::uint64_t kUncounted = std::uint64_t{1} << 62;

#ifdef __SSE2__
// Processors with the 256-bit instructions look at 32 bytes at once where
// others look at 16 (chosen when the program starts).
#define TOBREL_AVX2 __attribute__((target("avx2")))

bool HasAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

const bool kReaderHasAvx2 = HasAvx2();

TOBREL_AVX2 std::uint64_t LineEndsAt32(const char* from) {
  const __m256i cr = _mm256_set1_epi8('\r');
  const __m256i lf = _mm256_set1_epi8('\n');
  const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
  const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + 32));
  const auto low_hits = static_cast<std::uint32_t>(
      _mm256_movemask_epi8(_mm256_or_si256(_mm256_cmpeq_epi8(low, cr), _mm256_cmpeq_epi8(low, lf))));
  const auto high_hits = static_cast<std::uint32_t>(_mm256_movemask_epi8(
      _mm256_or_si256(_mm256_cmpeq_epi8(high, cr), _mm256_cmpeq_epi8(high, lf))));
  return std::uint64_t{high_hits} << 32 | low_hits;
}
#endif

// The CR and LF bytes among the 64 from `from` (which must be readable), as
// bits, the lowest for the first byte.
std::uint64_t LineEndsAt(const char* from) {
#ifdef __SSE2__
  if (kReaderHasAvx2) return LineEndsAt32(from);
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  std::uint64_t bits = 0;
  for (int part = 0; part < 4; ++part) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 16 * part));
    const auto hits = static_cast<std::uint64_t>(static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)))));
    bits |= hits << (16 * part);
  }
  return bits;
#else
  std::uint64_t bits = 0;
  for (int i = 0; i < 64; ++i)
    if (from[i] == '\r' || from[i] == '\n') bits |= std::uint64_t{1} << i;
  return bits;
#endif
}

// The LF bytes among the 64 from `from` (which must be readable), as bits.
std::uint64_t LineFeedsAt(const char* from) {
#ifdef __SSE2__
  const __m128i lf = _mm_set1_epi8('\n');
  std::uint64_t bits = 0;
  for (int part = 0; part < 4; ++part) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 16 * part));
    const auto hits =
        static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lf))));
    bits |= hits << (16 * part);
  }
  return bits;
#else
  std::uint64_t bits = 0;
  for (int i = 0; i < 64; ++i)
    if (from[i] == '\n') bits |= std::uint64_t{1} << i;
  return bits;
#endif
}

// The LF and CR bytes and the CR LF pairs of a run of bytes.
struct EndCounts {
  std::uint64_t lf = 0, cr = 0, pairs = 0;
};

#ifdef __SSE2__
TOBREL_AVX2 inline std::uint64_t SumOfBytes32(__m256i bytes) {
  const __m256i quarters = _mm256_sad_epu8(bytes, _mm256_setzero_si256());
  return static_cast<std::uint64_t>(_mm256_extract_epi64(quarters, 0)) +
         static_cast<std::uint64_t>(_mm256_extract_epi64(quarters, 1)) +
         static_cast<std::uint64_t>(_mm256_extract_epi64(quarters, 2)) +
         static_cast<std::uint64_t>(_mm256_extract_epi64(quarters, 3));
}

// CountEnds() 32 bytes at a time.
TOBREL_AVX2 void CountEnds32(const char* data, std::size_t size, EndCounts& counts) {
  const __m256i cr = _mm256_set1_epi8('\r');
  const __m256i lf = _mm256_set1_epi8('\n');
  const __m256i zero = _mm256_setzero_si256();
  std::size_t i = 0;
  while (i < size) {
    // Byte counters of 8 bits: at most 255 rounds before they are summed.
    __m256i lf_sum = zero, cr_sum = zero, pair_sum = zero;
    for (int round = 0; round < 255 && i < size; ++round, i += 32) {
      const __m256i chunk = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
      const __m256i after = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 1));
      const __m256i is_cr = _mm256_cmpeq_epi8(chunk, cr);
      lf_sum = _mm256_sub_epi8(lf_sum, _mm256_cmpeq_epi8(chunk, lf));
      cr_sum = _mm256_sub_epi8(cr_sum, is_cr);
      pair_sum = _mm256_sub_epi8(pair_sum, _mm256_and_si256(is_cr, _mm256_cmpeq_epi8(after, lf)));
    }
    counts.lf += SumOfBytes32(lf_sum);
    counts.cr += SumOfBytes32(cr_sum);
    counts.pairs += SumOfBytes32(pair_sum);
  }
}
#undef TOBREL_AVX2
#endif

// Counts LF and CR bytes and CR LF pairs in data[0, size); data[size] must be
// readable and not an LF, and 32 bytes past the end must be readable zeros.
void CountEnds(const char* data, std::size_t size, EndCounts& counts) {
  std::size_t i = 0;
#ifdef __SSE2__
  if (kReaderHasAvx2) return CountEnds32(data, size, counts);
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
  // A file to be counted that is small enough is kept whole as it is
  // counted, with room for a block more to notice that it grew meanwhile.
  // A file of one block is kept whole even when its lines are not wanted:
  // counting them costs less than reading it again.
  const std::uint64_t size = file_.Size();
  const bool keep_whole = size <= (count_lines ? WholeFileLimit() : block_size_);
  capacity_ = keep_whole ? static_cast<std::size_t>(size) + block_size_ : block_size_;
  buffer_.Resize(capacity_ + kPadding, 0);
  // The first pass also tells a UTF-8 file; without it, a check alone.
  bool kept_whole = false;
  if (count_lines || keep_whole)
    kept_whole = CountLines(keep_whole);
  else
    CheckUtf8UntilSettled(file_, buffer_.data(), capacity_, utf8_);
  if (utf8_.IsUtf8Text()) {
    whole_ = true;
    buffer_.Release();
    capacity_ = 0;
    conversion_ = LoadLogLinesAsCp932(path, stream_lines_, fifo_wait);
    count_ = stream_lines_.size();
    return;
  }
  if (kept_whole) {
    // Every byte is in the buffer: nothing more is read.
    read_ = total_;
    at_end_ = true;
    if (!count_lines) count_ = 0;  // as for any file not counted
    return;
  }
  file_.Seek(0);
  // Uncounted: read to the end, however far it is.
  if (!count_lines) total_ = kUncounted;
  filled_ = 0;
  at_end_ = total_ == 0;
  std::memset(buffer_.data(), 0, kPadding);
}

std::unique_ptr<LogLineReader> LogLineReader::FromOffset(const std::filesystem::path& path,
                                                         std::uint64_t from, std::uint64_t to,
                                                         std::size_t block_size) {
  return std::unique_ptr<LogLineReader>(new LogLineReader(FromOffsetTag{}, path, from, to, block_size));
}

LogLineReader::LogLineReader(FromOffsetTag, const std::filesystem::path& path, std::uint64_t from,
                             std::uint64_t to, std::size_t block_size)
    : file_(path, kFifoWriterWait), block_size_(std::max<std::size_t>(block_size, 1)) {
  capacity_ = block_size_;
  buffer_.Resize(capacity_ + kPadding, 0);
  std::memset(buffer_.data(), 0, kPadding);
  start_ = base_ = from;
  // What has become a stream since gives no lines.
  total_ = file_.IsStream() || to <= from ? 0 : to - from;
  at_end_ = total_ == 0;
  if (!at_end_) file_.Seek(from);
}

std::size_t LogLineReader::WholeFileLimit() const {
  // The default block size keeps files up to 16 MiB; tests with small blocks
  // keep small files, so that both ways are tried.
  return block_size_ * 128;
}

bool LogLineReader::CountLines(bool keep) {
  EndCounts counts;
  char last = '\n';
  for (;;) {
    // A kept file that fills the buffer grew since its size was taken: it
    // is counted on in blocks and read again.
    if (keep && filled_ == capacity_) keep = false;
    char* block = buffer_.data() + (keep ? filled_ : 0);
    const std::size_t got = file_.Read(block, keep ? capacity_ - filled_ : capacity_);
    if (got == 0) break;
    // A CR that ended the block before and an LF that starts this one.
    if (last == '\r' && block[0] == '\n') ++counts.pairs;
    std::memset(block + got, 0, kPadding);
    CountEnds(block, got, counts);
    utf8_.Feed(block, got);
    total_ += got;
    if (keep) filled_ += got;
    last = block[got - 1];
  }
  const bool unterminated_last = total_ > 0 && last != '\n' && last != '\r';
  count_ = static_cast<std::size_t>(counts.lf + counts.cr - counts.pairs) + (unterminated_last ? 1 : 0);
  return keep;
}

void LogLineReader::Refill() {
  // The unfinished line moves to the front; the search for line ends goes
  // on where it stopped (after the LF of a CR LF that ended the last line).
  ends_ = 0;
  scan_ = std::min(std::max(scan_, begin_), filled_);
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, filled_ - begin_);
    base_ += begin_;
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
    buffer_.Resize(wanted + kPadding, filled_);
    capacity_ = wanted;
  }
  // A grown buffer is filled a piece at a time, each piece searched for line
  // ends while it is still in the processor's cache.
  const std::size_t want = static_cast<std::size_t>(
      std::min<std::uint64_t>({capacity_ - filled_, left, std::max(block_size_, kGrownReadSize)}));
  const std::size_t got = file_.Read(buffer_.data() + filled_, want);
  filled_ += got;
  read_ += got;
  // A file that got shorter since it was counted ends where it ends now.
  if (got == 0 || read_ == total_) at_end_ = true;
  std::memset(buffer_.data() + filled_, 0, kPadding);
}

bool LogLineReader::NextSlow(std::string_view& line) {
  if (whole_) {
    if (next_stream_line_ >= stream_lines_.size()) return false;
    line = stream_lines_[next_stream_line_++];
    return true;
  }
  for (;;) {
    const char* data = buffer_.data();
    if (ends_ == 0) {
      if (std::max(scan_, begin_) < filled_) {
        // The next window; bytes past the data are zeros and end nothing.
        // It starts after the LF of a CR LF that the last window ended with.
        window_ = std::max(scan_, begin_);
        ends_ = LineEndsAt(data + window_);
        scan_ = window_ + 64;
        continue;
      }
      if (at_end_) {
        if (begin_ == filled_) return false;
        line = {data + begin_, filled_ - begin_};
        begin_ = scan_ = filled_;
        return true;
      }
      Refill();
      continue;
    }
    const std::size_t end = window_ + static_cast<unsigned>(__builtin_ctzll(ends_));
    // An LF ends the line; so does a CR that has a byte after it, or that
    // ends the file. A CR LF is one end. A CR as the last byte read is
    // decided by the next block: it is looked at again after it.
    if (data[end] == '\r' && end + 1 == filled_ && !at_end_) {
      scan_ = end;
      Refill();
      continue;
    }
    ends_ &= ends_ - 1;
    line = {data + begin_, end - begin_};
    begin_ = end + 1;
    if (data[end] == '\r' && end + 1 < filled_ && data[end + 1] == '\n') {
      ++begin_;
      // The LF of the pair is the next bit, unless it starts the next window.
      if (end + 1 < window_ + 64) ends_ &= ends_ - 1;
    }
    return true;
  }
}

std::size_t LogLineReader::TakeEmptyLines(std::size_t most) {
  std::size_t taken = 0;
  if (whole_) {
    while (taken < most && next_stream_line_ < stream_lines_.size() &&
           stream_lines_[next_stream_line_].empty()) {
      ++next_stream_line_;
      ++taken;
    }
    return taken;
  }
  const char* data = buffer_.data();
  while (taken < most) {
    if (ends_ == 0) {
      // The next window, when its bytes are read already.
      if (std::max(scan_, begin_) >= filled_) break;
      window_ = std::max(scan_, begin_);
      ends_ = LineEndsAt(data + window_);
      scan_ = window_ + 64;
      if (ends_ == 0) break;
    }
    // The next line is empty when its end is where it starts; the LF bytes
    // in a row from there are as many empty lines.
    const std::size_t at = begin_ - window_;
    if (__builtin_ctzll(ends_) != static_cast<int>(at)) break;
    const std::uint64_t feeds = ~LineFeedsAt(data + window_) >> at;
    const std::size_t run = feeds == 0 ? 64 - at : static_cast<std::size_t>(__builtin_ctzll(feeds));
    const std::size_t take = std::min<std::size_t>(run, most - taken);
    if (take == 0) break;  // a CR: Next() decides what it ends
    begin_ += take;
    taken += take;
    ends_ = at + take >= 64 ? 0 : ends_ & (~std::uint64_t{0} << (at + take));
    if (at + take < 64) break;
  }
  return taken;
}

}  // namespace tobrel
