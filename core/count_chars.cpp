#include "core/count_chars.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
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

#ifndef __SSE2__
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

#else
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
#endif

}  // namespace

std::int64_t CountChars(std::string_view line, bool exclude_interway) {
  if (exclude_interway && IsInterwayLine(line)) return 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
#ifdef __SSE2__
  return CountChunks(bytes, line.size());
#else
  return CountTail(bytes, 0, line.size());
#endif
}

}  // namespace tobrel
