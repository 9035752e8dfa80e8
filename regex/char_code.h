// Characters as the pattern engine sees them: one CP932 character read as a
// 16-bit code (a single byte b is b, a two-byte character is lead * 256 +
// trail), and the code ranges that label the automata's transitions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/cp932.h"

namespace tobrel {

using CharCode = std::uint16_t;

// Pseudo-characters that never occur in text; they label the transitions of
// the head-of-line and tail-of-line anchors.
inline constexpr CharCode kLineHeadCode = 0xFFFD;
inline constexpr CharCode kLineTailCode = 0xFFFE;
// Codes from here up are the engine's own; an escape may not spell them.
inline constexpr CharCode kFirstReservedCode = 0xFFFD;
// The highest code of the "." set.
inline constexpr CharCode kHighestAnyCode = 0xFCFC;

// A range of codes lo..hi (lo <= hi).
struct RegexLabel {
  CharCode lo = 0;
  CharCode hi = 0;
  friend bool operator==(const RegexLabel&, const RegexLabel&) = default;
};

// One character of a text: its code and its length in bytes.
struct CharAt {
  CharCode code;
  std::size_t length;
};

// Reads the character at `pos` (< text.size()). A lead byte that is the last
// byte of the text is a one-byte character of its own.
inline CharAt ReadCharAt(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (cp932::IsLeadByte(lead) && pos + 1 < text.size()) {
    const auto trail = static_cast<unsigned char>(text[pos + 1]);
    return {static_cast<CharCode>(lead << 8 | trail), 2};
  }
  return {lead, 1};
}

}  // namespace tobrel
