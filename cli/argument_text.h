// Arguments that carry text (a pattern, an ID) come as UTF-8 and are used as
// CP932. A value that is not UTF-8, or holds a character CP932 lacks, would
// turn into "?" (a pattern operator) without a word: it is refused instead.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tobrel {

// The CP932 form of the value of `option`, or nothing with `error` set to
// the usage message (UTF-8).
std::optional<std::string> Cp932Argument(std::string_view option, std::string_view value,
                                         std::string& error);

}  // namespace tobrel
