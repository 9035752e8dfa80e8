// The quote-line pattern in force when the settings give none (or an invalid
// one): after any number of ASCII spaces at the head of the line, one of
// ">", "|", "＞", "｜", "》", "〉" or "≫".
#pragma once

#include <string_view>

namespace tobrel {

// ^[   ]*[>|＞｜》〉≫].*$  (three ASCII spaces in the first bracket), CP932.
inline constexpr std::string_view kDefaultQuotePattern =
    "\x5e\x5b\x20\x20\x20\x5d\x2a\x5b\x3e\x7c\x81\x84\x81\x62\x81\x74\x81\x72"
    "\x81\xe2\x5d\x2e\x2a\x24";

}  // namespace tobrel
