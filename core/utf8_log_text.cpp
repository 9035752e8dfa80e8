// The conversion copies ASCII as it is and looks every other character up in
// a table of the CP932 bytes of each character of the Basic Multilingual
// Plane. The table is filled as characters come: the first time one does, the
// CP932 converter gives its bytes, so the result is the converter's, at a
// fraction of its cost (a log uses a few thousand characters). A character
// without a CP932 form, and any above U+FFFF, becomes "?". No character
// takes more bytes in CP932 than in UTF-8, so the text is converted in place.
#include "core/utf8_log_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/cp932.h"

namespace tobrel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The CP932 form of each BMP character: 0 not looked up yet, 1 none, or
// 0x100 + a one-byte code, or a two-byte code (lead byte high).
class Cp932Forms {
 public:
  Cp932Forms() : forms_(0x10000, 0) {}

  // Appends the CP932 form of `code` (whose UTF-8 bytes are `utf8`) to `out`;
  // false when it has none and "?" was appended.
  bool Append(char32_t code, std::string_view utf8, char*& out) {
    std::uint16_t& form = forms_[code];
    if (form == 0) form = LookUp(utf8);
    if (form == 1) {
      *out++ = '?';
      return false;
    }
    if (form >= 0x8000) *out++ = static_cast<char>(form >> 8);
    *out++ = static_cast<char>(form & 0xFF);
    return true;
  }

 private:
  static std::uint16_t LookUp(std::string_view utf8) {
    const std::string bytes = cp932::FromUtf8(utf8);
    if (bytes.size() == 2)
      return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[0]) << 8 |
                                        static_cast<unsigned char>(bytes[1]));
    if (bytes.size() == 1 && bytes != "?")
      return static_cast<std::uint16_t>(0x100 + static_cast<unsigned char>(bytes[0]));
    return 1;
  }

  std::vector<std::uint16_t> forms_;
};

}  // namespace

void CheckUtf8UntilSettled(InputFile& file, char* buffer, std::size_t size, Utf8Check& check) {
  while (check.MayBeUtf8())
    if (const std::size_t got = file.Read(buffer, size))
      check.Feed(buffer, got);
    else
      break;
}

bool IsUtf8LogText(std::string_view text) {
  Utf8Check check;
  check.Feed(text.data(), text.size());
  return check.IsUtf8Text();
}

Utf8Conversion ConvertUtf8LogLines(LogLines& lines) {
  const std::string_view text = lines.text();
  if (!IsUtf8LogText(text)) return {};
  const std::size_t start = text.substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;

  // In place: a character is read whole before its CP932 bytes, never more
  // than its UTF-8 ones, are written at or before where it started.
  thread_local Cp932Forms forms;
  Utf8Conversion conversion{true, 0};
  std::uint64_t size = 0;
  std::unique_ptr<char[]> buffer = TakeLogText(lines, size);
  char* out = buffer.get();
  const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.get());
  std::size_t i = start;
  while (i < size) {
    const unsigned lead = bytes[i];
    if (lead < 0x80) {
      *out++ = static_cast<char>(lead);
      ++i;
      continue;
    }
    // Well-formed: the lead byte tells the length.
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    char32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) code = (code << 6) | (bytes[i + k] & 0x3F);
    if (code > 0xFFFF) {
      *out++ = '?';
      ++conversion.unmapped;
    } else if (!forms.Append(code, std::string_view(buffer.get() + i, length), out)) {
      ++conversion.unmapped;
    }
    i += length;
  }
  const auto filled = static_cast<std::uint64_t>(out - buffer.get());
  SetLogText(lines, std::move(buffer), filled);
  return conversion;
}

Utf8Conversion LoadLogLinesAsCp932(const std::filesystem::path& path, LogLines& lines,
                                   std::chrono::milliseconds fifo_wait) {
  LoadLogLines(path, lines, fifo_wait);
  return ConvertUtf8LogLines(lines);
}

}  // namespace tobrel
