#include "core/count_chars.h"

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

}  // namespace

int CountChars(std::string_view line, bool exclude_interway) {
  if (exclude_interway && IsInterwayLine(line)) return 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
  const std::size_t size = line.size();
  int count = 0;
  std::size_t i = 0;
  while (i < size) {
    const unsigned char byte = bytes[i];
    if (byte <= 0x20) {
      ++i;
    } else if (byte <= 0x7E || (byte >= 0xA1 && byte <= 0xDF)) {
      ++count;
      ++i;
    } else {
      // Two bytes compared with the full-width blank 0x81 0x40; a lone byte
      // at the end compares as a prefix.
      const bool has_second = i + 1 < size;
      const bool above_blank =
          byte > 0x81 || (byte == 0x81 && has_second && bytes[i + 1] > 0x40);
      count += above_blank ? 1 : 0;
      i += has_second ? 2 : 1;
    }
  }
  return count;
}

}  // namespace tobrel
