#include "core/count_chars.h"

#include <cstring>

#ifdef __SSE2__
#include <immintrin.h>
#endif

#include "platform/cp932.h"

namespace tobrel {
namespace {

bool IsInterwayLine(std::string_view line) {
  static constexpr std::string_view kCommentHeading =
      "\x82\xb1\x82\xcc\x94\xad\x8c\xbe\x82\xc9\x91\xce\x82\xb7\x82\xe9"
      "\x83\x52\x83\x81\x83\x93\x83\x67";  // この発言に対するコメント
  if (line == kCommentHeading) return true;
  return line.substr(0, kInterwayLinkPrefix.size()) == kInterwayLinkPrefix &&
         line.find("/com.cgi") != std::string_view::npos;
}

// Per lead byte: how many bytes the character takes and whether it counts.
// A two-byte character starting with 0x81 counts only above the full-width
// blank 0x81 0x40, which needs its second byte; every other one is decided
// by its first byte (below 0x81 never, above always).
struct CharClass {
  unsigned char width;
  unsigned char counts;
};

constexpr CharClass Classify(unsigned byte) {
  if (byte <= 0x20) return {1, 0};
  if (byte <= 0x7E || (byte >= 0xA1 && byte <= 0xDF)) return {1, 1};
  return {2, static_cast<unsigned char>(byte > 0x81 ? 1 : 0)};
}

struct CharClassTable {
  CharClass entries[256];
  constexpr CharClassTable() : entries() {
    for (unsigned byte = 0; byte < 256; ++byte) entries[byte] = Classify(byte);
  }
};

constexpr CharClassTable kCharClasses;

// Counts the bytes from `i` on one character at a time.
std::int64_t CountTail(const unsigned char* bytes, std::size_t i, std::size_t size) {
  std::int64_t count = 0;
  while (i + 1 < size) {
    const unsigned char byte = bytes[i];
    const CharClass c = kCharClasses.entries[byte];
    count += c.counts + ((byte == 0x81) & (bytes[i + 1] > 0x40));
    i += c.width;
  }
  // A last byte alone: a lead byte there compares as a prefix of its pair,
  // so 0x81 and below count 0 and the rest count by their class.
  if (i < size) count += kCharClasses.entries[bytes[i]].counts;
  return count;
}

std::int64_t CountPortable(const unsigned char* bytes, std::size_t size) {
  return CountTail(bytes, 0, size);
}

#ifdef __SSE2__
// Sixteen bytes at a time. Where characters start is decided without walking
// them: after any byte that cannot start a pair, a character starts; inside a
// run of bytes that start pairs, every other one does, from the run's first.
// So the second bytes of pairs are the bytes that follow an odd-length run of
// pair-starting bytes, found for the whole chunk at once with one addition
// (the carry out says whether the next chunk begins with a second byte).
inline __m128i AtLeast(__m128i x, unsigned char k) {
  return _mm_cmpeq_epi8(_mm_max_epu8(x, _mm_set1_epi8(static_cast<char>(k))), x);
}
// Bytes from `low` to `high`: shifted so that the range starts at -128, one
// signed comparison decides.
inline __m128i Within(__m128i x, unsigned char low, unsigned char high) {
  const __m128i shifted = _mm_add_epi8(x, _mm_set1_epi8(static_cast<char>(0x80 - low)));
  return _mm_cmplt_epi8(shifted, _mm_set1_epi8(static_cast<char>(0x80 + high - low + 1)));
}
inline unsigned Mask(__m128i x) { return static_cast<unsigned>(_mm_movemask_epi8(x)); }

// Set bits of a 16-bit mask, by table: no population-count instruction is
// taken for granted.
struct BitCounts {
  unsigned char of[256];
  constexpr BitCounts() : of() {
    for (unsigned i = 1; i < 256; ++i) of[i] = static_cast<unsigned char>(of[i >> 1] + (i & 1));
  }
};
constexpr BitCounts kBitCounts;
inline int Popcount16(unsigned x) { return kBitCounts.of[x & 0xFF] + kBitCounts.of[x >> 8]; }

// Bits of the bytes that are second bytes of pairs; `carry` in and out says
// whether the chunk's first byte (the next chunk's) is one.
inline unsigned SecondBytes(unsigned pair_starts, unsigned& carry) {
  constexpr unsigned kEvenBits = 0x5555;
  pair_starts &= ~carry;
  const unsigned follows = ((pair_starts << 1) | carry) & 0xFFFF;
  const unsigned odd_run_starts = pair_starts & ~kEvenBits & ~follows;
  const unsigned sum = odd_run_starts + pair_starts;
  carry = (sum >> 16) & 1;
  const unsigned even_run_starts = sum & 0xFFFF;
  return (kEvenBits ^ ((even_run_starts << 1) & 0xFFFF)) & follows;
}

// The counted character starts of one chunk `x` (with `after`, the bytes
// that follow each of its bytes), given `carry` from the chunk before. The
// bytes below `first` are left out; the one at `first` starts a character.
inline unsigned CountedStarts(__m128i x, __m128i after, unsigned& carry, unsigned first = 0) {
  const unsigned below = (1u << first) - 1;
  const __m128i katakana = Within(x, 0xA1, 0xDF);
  const __m128i pair_start = _mm_andnot_si128(katakana, AtLeast(x, 0x7F));
  const __m128i counted = _mm_or_si128(
      _mm_or_si128(Within(x, 0x21, 0x7E), katakana),
      _mm_or_si128(_mm_and_si128(pair_start, AtLeast(x, 0x82)),
                   _mm_and_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8(static_cast<char>(0x81))),
                                 AtLeast(after, 0x41))));
  const unsigned starts = ~SecondBytes(Mask(pair_start) & ~below, carry) & 0xFFFF & ~below;
  return starts & Mask(counted);
}

std::int64_t CountChunks(const unsigned char* bytes, std::size_t size) {
  std::int64_t count = 0;
  unsigned carry = 0;
  std::size_t i = 0;
  // Each chunk also looks at the byte after it, so stop one short.
  for (; i + 17 <= size; i += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
    const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i + 1));
    count += Popcount16(CountedStarts(x, after, carry));
  }
  // The last 16 bytes or fewer, from the first that starts a character, as
  // one more chunk, which a zero byte follows: a zero byte does not count,
  // and a lead byte before it counts as a last byte alone does. A line of
  // 16 bytes or more has its last 16 loaded, the bytes counted already left
  // out; a shorter one is copied into zero bytes, and bits past its end are
  // dropped.
  const std::size_t next = i + carry;
  if (next >= size) return count;
  unsigned tail_carry = 0;
  if (size >= 16) {
    const std::size_t base = size - 16;
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + base));
    const __m128i after = _mm_srli_si128(x, 1);
    return count + Popcount16(CountedStarts(x, after, tail_carry, static_cast<unsigned>(next - base)));
  }
  alignas(16) unsigned char tail[33] = {};
  std::memcpy(tail, bytes + next, size - next);
  const __m128i x = _mm_load_si128(reinterpret_cast<const __m128i*>(tail));
  const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(tail + 1));
  return count + Popcount16(CountedStarts(x, after, tail_carry) & ((1u << (size - next)) - 1));
}

// The same count 32 bytes at a time, on processors that have the wider
// instructions (chosen when the program starts). Lines shorter than one
// chunk are left to the 16-byte count, which copies nothing for them.
#define TOBREL_WIDE __attribute__((target("avx2,popcnt")))

TOBREL_WIDE inline __m256i AtLeast32(__m256i x, unsigned char k) {
  return _mm256_cmpeq_epi8(_mm256_max_epu8(x, _mm256_set1_epi8(static_cast<char>(k))), x);
}
TOBREL_WIDE inline __m256i Within32(__m256i x, unsigned char low, unsigned char high) {
  const __m256i shifted = _mm256_add_epi8(x, _mm256_set1_epi8(static_cast<char>(0x80 - low)));
  return _mm256_cmpgt_epi8(_mm256_set1_epi8(static_cast<char>(0x80 + high - low + 1)), shifted);
}
TOBREL_WIDE inline std::uint32_t Mask32(__m256i x) {
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(x));
}

// As SecondBytes, for a 32-bit mask.
TOBREL_WIDE inline std::uint32_t SecondBytes32(std::uint32_t pair_starts, unsigned& carry) {
  constexpr std::uint32_t kEvenBits = 0x55555555u;
  pair_starts &= ~carry;
  const std::uint32_t follows = (pair_starts << 1) | carry;
  const std::uint32_t odd_run_starts = pair_starts & ~kEvenBits & ~follows;
  const std::uint64_t sum = static_cast<std::uint64_t>(odd_run_starts) + pair_starts;
  carry = static_cast<unsigned>(sum >> 32) & 1;
  const std::uint32_t even_run_starts = static_cast<std::uint32_t>(sum);
  return (kEvenBits ^ (even_run_starts << 1)) & follows;
}

// As CountedStarts, for a 32-byte chunk; `first` is below 32.
TOBREL_WIDE inline std::uint32_t CountedStarts32(__m256i x, __m256i after, unsigned& carry,
                                                 unsigned first = 0) {
  const std::uint32_t below = (1u << first) - 1;
  const __m256i katakana = Within32(x, 0xA1, 0xDF);
  const __m256i pair_start = _mm256_andnot_si256(katakana, AtLeast32(x, 0x7F));
  const __m256i counted = _mm256_or_si256(
      _mm256_or_si256(Within32(x, 0x21, 0x7E), katakana),
      _mm256_or_si256(
          _mm256_and_si256(pair_start, AtLeast32(x, 0x82)),
          _mm256_and_si256(_mm256_cmpeq_epi8(x, _mm256_set1_epi8(static_cast<char>(0x81))),
                           AtLeast32(after, 0x41))));
  const std::uint32_t starts = ~SecondBytes32(Mask32(pair_start) & ~below, carry) & ~below;
  return starts & Mask32(counted);
}

// The bytes of a chunk at positions below `n` (at most 32).
TOBREL_WIDE inline __m256i FirstBytes32(std::size_t n) {
  const __m256i positions = _mm256_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15,
                                             16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28,
                                             29, 30, 31);
  return _mm256_cmpgt_epi8(_mm256_set1_epi8(static_cast<char>(n)), positions);
}

// A line shorter than one chunk is loaded whole with the bytes after it, when
// they lie in the same memory page (so the load cannot fault), and the bytes
// past its end are cleared: no copy. The address and thread checkers would
// see the load as reaching past the line, hence it is left out of checking.
TOBREL_WIDE __attribute__((no_sanitize_address, no_sanitize_thread)) std::int64_t CountShort32(
    const unsigned char* bytes, std::size_t size) {
  const __m256i x = _mm256_and_si256(
      FirstBytes32(size), _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes)));
  const __m256i after = _mm256_and_si256(
      FirstBytes32(size - 1), _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + 1)));
  unsigned carry = 0;
  return __builtin_popcount(CountedStarts32(x, after, carry));
}

// A line of one chunk up to two, the same way: two chunks loaded whole, the
// bytes past its end cleared (when the 65 bytes from its start lie in one
// memory page).
TOBREL_WIDE __attribute__((no_sanitize_address, no_sanitize_thread)) std::int64_t CountShort64(
    const unsigned char* bytes, std::size_t size) {
  const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes));
  const __m256i low_after = _mm256_and_si256(
      FirstBytes32(std::min<std::size_t>(size - 1, 32)),
      _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + 1)));
  const __m256i high = _mm256_and_si256(
      FirstBytes32(size - 32), _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + 32)));
  const __m256i high_after = _mm256_and_si256(
      FirstBytes32(size > 33 ? size - 33 : 0),
      _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + 33)));
  unsigned carry = 0;
  const int first = __builtin_popcount(CountedStarts32(low, low_after, carry));
  return first + __builtin_popcount(CountedStarts32(high, high_after, carry));
}

TOBREL_WIDE std::int64_t CountChunks32(const unsigned char* bytes, std::size_t size) {
  constexpr std::uintptr_t kPage = 4096;
  const std::uintptr_t in_page = reinterpret_cast<std::uintptr_t>(bytes) % kPage;
  if (size < 32) {
    if (size == 0 || in_page > kPage - 33) return CountChunks(bytes, size);
    return CountShort32(bytes, size);
  }
  if (size <= 64 && in_page <= kPage - 65) return CountShort64(bytes, size);
  std::int64_t count = 0;
  unsigned carry = 0;
  std::size_t i = 0;
  for (; i + 33 <= size; i += 32) {
    const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + i));
    const __m256i after = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + i + 1));
    count += __builtin_popcount(CountedStarts32(x, after, carry));
  }
  // The last 32 bytes, the bytes counted already left out, followed by a
  // zero byte: the chunk shifted down by one byte across its two halves.
  const std::size_t next = i + carry;
  if (next >= size) return count;
  unsigned tail_carry = 0;
  const std::size_t base = size - 32;
  const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + base));
  const __m256i high_then_zero = _mm256_permute2x128_si256(x, x, 0x81);
  const __m256i after = _mm256_alignr_epi8(high_then_zero, x, 1);
  return count + __builtin_popcount(
                     CountedStarts32(x, after, tail_carry, static_cast<unsigned>(next - base)));
}
#undef TOBREL_WIDE

bool HasWideInstructions() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
}

const bool kHasWideInstructions = HasWideInstructions();
#endif

using CountFunction = std::int64_t (*)(const unsigned char*, std::size_t);

CountFunction CountFor([[maybe_unused]] CountPath path) {
#ifdef __SSE2__
  if (path == CountPath::Bytes32 && kHasWideInstructions) return CountChunks32;
  if (path == CountPath::Bytes16) return CountChunks;
#endif
  return CountPortable;
}

CountFunction ChooseCount() {
  for (const CountPath path : {CountPath::Bytes32, CountPath::Bytes16})
    if (CanCount(path)) return CountFor(path);
  return CountPortable;
}

const CountFunction kChosenCount = ChooseCount();

}  // namespace

bool CanCount(CountPath path) {
  switch (path) {
    case CountPath::Portable:
      return true;
#ifdef __SSE2__
    case CountPath::Bytes16:
      return true;
    case CountPath::Bytes32:
      return kHasWideInstructions;
#else
    case CountPath::Bytes16:
    case CountPath::Bytes32:
      return false;
#endif
  }
  return false;
}

std::int64_t CountCharsBy(CountPath path, std::string_view line, bool exclude_interway) {
  if (exclude_interway && IsInterwayLine(line)) return 0;
  return CountFor(path)(reinterpret_cast<const unsigned char*>(line.data()), line.size());
}

std::int64_t CountChars(std::string_view line, bool exclude_interway) {
  if (exclude_interway && IsInterwayLine(line)) return 0;
  return kChosenCount(reinterpret_cast<const unsigned char*>(line.data()), line.size());
}

}  // namespace tobrel
