// Test helper: CP932 bytes from a UTF-8 literal, so that fixtures read as
// the Japanese text they hold.
#pragma once

#include <string>
#include <string_view>

#include "platform/cp932.h"

namespace tobrel::testing {

inline std::string S(std::string_view utf8) { return cp932::FromUtf8(utf8); }

}  // namespace tobrel::testing
