// File masks as Windows reads them: "*" any run of characters, "?" one
// character, ASCII letters matched ignoring case. As on Windows, a pattern
// ending in ".*" also matches a name without any dot ("*.*" matches every
// name), and a pattern ending in "." matches only names without a dot.
#pragma once

#include <string_view>

namespace tobrel {

// True when the native (UTF-8) file name `name` matches `pattern` (also
// native). An empty pattern matches nothing.
bool MatchesFileMask(std::string_view name, std::string_view pattern);

}  // namespace tobrel
