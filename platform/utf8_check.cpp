// The check runs byte by byte through multi-byte sequences and skips runs of
// ASCII eight bytes at a time. A lead byte fixes how many continuation bytes
// follow and the range of the first of them (the ranges that shut out
// overlong forms, surrogates and code points above U+10FFFF); the state
// carries over from one piece to the next, so a sequence may be split
// between reads.
#include "platform/utf8_check.h"

#include <cstdint>
#include <cstring>

namespace tobrel {

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

bool IsValidUtf8(std::string_view text) {
  Utf8Check check;
  check.Feed(text.data(), text.size());
  return check.IsWellFormed();
}

}  // namespace tobrel
