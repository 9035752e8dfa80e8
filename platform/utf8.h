// Writing Unicode characters as UTF-8, for texts that come from outside in
// UTF-16 (registry escapes, shell links).
#pragma once

#include <string>

namespace tobrel {

// Appends the UTF-8 bytes of `code` (at most U+10FFFF) to `out`.
void AppendUtf8(std::string& out, char32_t code);

}  // namespace tobrel
