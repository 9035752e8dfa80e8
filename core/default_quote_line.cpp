// A match can start only at the head of the line or right after an LF that
// starts a character (characters are read from the first byte: a lead byte
// takes the byte after it, whatever it is, unless it is the last byte). From
// such a head, spaces are skipped, the next character must be one of the
// seven quote marks, and every character after it must be one that "."
// matches, up to the end or a CR. "." matches every code but 0x00, LF, CR
// and the two-byte codes above 0xFCFC, so a rest of the line that holds
// none of the bytes 0x00, LF, CR and 0xFC matches at once; only a rest with
// one of them is walked character by character.
#include "core/default_quote_line.h"

#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "platform/cp932.h"

namespace tobrel {
namespace {

// The code of the character at `pos` (a two-byte character as lead * 256 +
// trail) and its length.
std::uint32_t CharAt(std::string_view s, std::size_t pos, std::size_t& length) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (cp932::IsLeadByte(lead) && pos + 1 < s.size()) {
    length = 2;
    return static_cast<std::uint32_t>(lead) << 8 | static_cast<unsigned char>(s[pos + 1]);
  }
  length = 1;
  return lead;
}

bool IsQuoteMark(std::uint32_t code) {
  switch (code) {
    case 0x3E:    // >
    case 0x7C:    // |
    case 0x8184:  // ＞
    case 0x8162:  // ｜
    case 0x8174:  // 》
    case 0x8172:  // 〉
    case 0x81E2:  // ≫
      return true;
    default:
      return false;
  }
}

bool MatchesDot(std::uint32_t code) {
  return code != 0 && code != '\n' && code != '\r' && code <= 0xFCFC;
}

bool MayStopDot(unsigned char byte) {
  return byte == 0 || byte == '\n' || byte == '\r' || byte == 0xFC;
}

// The position of the first byte from `pos` on that may stop ".", or the
// size of `s`.
std::size_t FirstMayStopDot(std::string_view s, std::size_t pos) {
#ifdef __SSE2__
  const __m128i zero = _mm_setzero_si128();
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i fc = _mm_set1_epi8(static_cast<char>(0xFC));
  for (; pos + 16 <= s.size(); pos += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data() + pos));
    const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, zero), _mm_cmpeq_epi8(x, lf)),
                                      _mm_or_si128(_mm_cmpeq_epi8(x, cr), _mm_cmpeq_epi8(x, fc)));
    if (const int mask = _mm_movemask_epi8(hits)) return pos + static_cast<unsigned>(__builtin_ctz(mask));
  }
#endif
  while (pos < s.size() && !MayStopDot(static_cast<unsigned char>(s[pos]))) ++pos;
  return pos;
}

// The pattern after its "^", from `pos`.
bool MatchesFrom(std::string_view s, std::size_t pos) {
  while (pos < s.size() && s[pos] == ' ') ++pos;
  if (pos >= s.size()) return false;
  std::size_t length;
  if (!IsQuoteMark(CharAt(s, pos, length))) return false;
  pos += length;
  if (FirstMayStopDot(s, pos) == s.size()) return true;
  while (pos < s.size() && MatchesDot(CharAt(s, pos, length))) pos += length;
  return pos >= s.size() || s[pos] == '\r';
}

}  // namespace

bool IsDefaultQuoteLogLine(std::string_view line) {
  // Most lines start with a byte that neither a blank nor a quote mark does.
  if (!line.empty()) {
    const auto first = static_cast<unsigned char>(line[0]);
    if (first != ' ' && first != '>' && first != '|' && first != 0x81) return false;
  }
  return MatchesFrom(line, 0);
}

bool IsDefaultQuoteLine(std::string_view line) {
  if (MatchesFrom(line, 0)) return true;
  // Heads after LF bytes that start a character.
  std::size_t pos = 0;
  while (pos < line.size()) {
    const void* hit = std::memchr(line.data() + pos, '\n', line.size() - pos);
    if (hit == nullptr) return false;
    const auto lf = static_cast<std::size_t>(static_cast<const char*>(hit) - line.data());
    while (pos < lf) pos = cp932::NextCharPos(line, pos);
    if (pos == lf) {
      if (MatchesFrom(line, lf + 1)) return true;
      ++pos;
    }
  }
  return false;
}

}  // namespace tobrel
