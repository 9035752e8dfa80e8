// Shift-JIS (code page 932) byte classes, character stepping and conversion
// to and from UTF-8. Text inside the program stays CP932; conversion happens
// only where text leaves or enters it (terminal, file names, clipboard).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tobrel::cp932 {

// True for a byte that starts a two-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Position just after the character that starts at `pos`. A lead byte at the
// very end of the text counts as a one-byte character, so the result never
// passes text.size().
inline std::size_t NextCharPos(std::string_view text, std::size_t pos) {
  if (pos < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos])) &&
      pos + 1 < text.size())
    return pos + 2;
  return pos + 1;
}

// Byte position of the first occurrence of `needle` that starts on a
// character boundary at or after `from`, or npos.
std::size_t FindAligned(std::string_view text, std::string_view needle,
                        std::size_t from = 0);

// Converts CP932 bytes to UTF-8. Bytes that do not form a CP932 character
// (a lone lead byte, an unassigned code) become U+FFFD; never fails.
std::string ToUtf8(std::string_view cp932);

// Converts UTF-8 to CP932. Characters without a CP932 code, and invalid
// UTF-8, become "?"; never fails.
std::string FromUtf8(std::string_view utf8);

}  // namespace tobrel::cp932
