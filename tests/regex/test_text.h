// Test helper: CP932 bytes from the UTF-8 text of the test sources.
#pragma once

#include <string>
#include <string_view>

#include "platform/cp932.h"

namespace tobrel::test {

inline std::string Sjis(std::string_view utf8) { return cp932::FromUtf8(utf8); }

}  // namespace tobrel::test
