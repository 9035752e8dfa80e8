// The check runs byte by byte through multi-byte sequences and skips runs of
// ASCII eight bytes at a time. A lead byte fixes how many continuation bytes
// follow and the range of the first of them (the ranges that shut out
// overlong forms, surrogates and code points above U+10FFFF); the state
// carries over from one piece to the next, so a sequence may be split
// between reads.
// The conversion goes through the CP932 converter in pieces of about 64 KiB
// cut between characters. No character takes more bytes in CP932 than in
// UTF-8, so the converted text fits in a buffer of the original's size.
// A character without a CP932 form comes out as "?"; as "?" is never the
// second byte of a CP932 character, the number of them is the "?" bytes
// the pieces gained.
#include "core/utf8_log_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/cp932.h"

namespace tobrel {
namespace {

constexpr std::size_t kPiece = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

void Utf8Check::Feed(const char* data, std::size_t size) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(data);
  std::size_t i = 0;
  while (valid_ && i < size) {
    if (needed_ > 0) {
      const unsigned byte = bytes[i++];
      if (byte < low_ || byte > high_) {
        valid_ = false;
        return;
      }
      --needed_;
      low_ = 0x80;
      high_ = 0xBF;
      continue;
    }
    // A run of ASCII, eight bytes at a time.
    while (i + 8 <= size) {
      std::uint64_t word;
      std::memcpy(&word, bytes + i, 8);
      if (word & 0x8080808080808080ull) break;
      i += 8;
    }
    if (i == size) break;
    const unsigned lead = bytes[i++];
    if (lead < 0x80) continue;
    non_ascii_ = true;
    if (lead >= 0xC2 && lead <= 0xDF) {
      needed_ = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      needed_ = 2;
      if (lead == 0xE0) low_ = 0xA0;
      if (lead == 0xED) high_ = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      needed_ = 3;
      if (lead == 0xF0) low_ = 0x90;
      if (lead == 0xF4) high_ = 0x8F;
    } else {
      valid_ = false;
    }
  }
}

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
  std::string_view text = lines.text();
  if (!IsUtf8LogText(text)) return {};
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());

  Utf8Conversion conversion{true, 0};
  std::unique_ptr<char[]> converted(new char[std::max<std::size_t>(text.size(), 1)]);
  std::size_t filled = 0;
  while (!text.empty()) {
    std::size_t cut = std::min(kPiece, text.size());
    while (cut < text.size() && IsContinuation(text[cut])) ++cut;
    const std::string_view piece = text.substr(0, cut);
    const std::string out = cp932::FromUtf8(piece);
    const auto marks = [](std::string_view s) { return std::count(s.begin(), s.end(), '?'); };
    conversion.unmapped += static_cast<std::size_t>(marks(out) - marks(piece));
    // Never more bytes than went in; kept safe should the converter differ.
    const std::size_t take = std::min(out.size(), piece.size());
    std::memcpy(converted.get() + filled, out.data(), take);
    filled += take;
    text.remove_prefix(cut);
  }
  SetLogText(lines, std::move(converted), filled);
  return conversion;
}

Utf8Conversion LoadLogLinesAsCp932(const std::filesystem::path& path, LogLines& lines,
                                   std::chrono::milliseconds fifo_wait) {
  LoadLogLines(path, lines, fifo_wait);
  return ConvertUtf8LogLines(lines);
}

}  // namespace tobrel
