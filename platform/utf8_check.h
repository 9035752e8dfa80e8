// Whether bytes are well-formed UTF-8, for text that enters the program as
// UTF-8 (command-line arguments) before it is converted to CP932.
#pragma once

#include <string_view>

namespace tobrel {

// True when `text` is well-formed UTF-8: no stray continuation bytes, no
// cut sequences, no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

}  // namespace tobrel
