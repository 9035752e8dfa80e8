#include "platform/preview_lines.h"

#include <cstddef>

#include "platform/cp932.h"

namespace tobrel {

std::string PreviewLines(std::string_view bytes, int max_lines) {
  std::string text;
  int lines = 0;           // line ends passed
  std::size_t breaks = 0;  // line ends not yet written: only before more text
  std::size_t pos = 0;
  while (pos < bytes.size() && lines < max_lines) {
    const auto byte = static_cast<unsigned char>(bytes[pos]);
    if (byte == '\r' || byte == '\n') {
      ++lines;
      ++breaks;
      pos += byte == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n' ? 2 : 1;
      continue;
    }
    if (cp932::IsLeadByte(byte) && pos + 1 == bytes.size()) break;
    text.append(breaks, '\n');
    breaks = 0;
    if (cp932::IsLeadByte(byte) && static_cast<unsigned char>(bytes[pos + 1]) >= 0x40) {
      text.append(bytes.substr(pos, 2));
      pos += 2;
    } else {
      text += byte < 0x20 && byte != '\t' ? ' ' : static_cast<char>(byte);
      ++pos;
    }
  }
  return text;
}

}  // namespace tobrel
