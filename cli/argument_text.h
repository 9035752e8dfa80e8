// Arguments that carry text (a pattern, an ID) come as UTF-8 and are used as
// CP932. A value that is not UTF-8, or holds a character CP932 lacks, would
// turn into "?" (a pattern operator) without a word: it is refused instead.
#pragma once

#include <string>
#include <string_view>

#include "platform/failure.h"

namespace tobrel {

// The CP932 form of the value of `option`. Throws Failure of kind
// BadArgument, whose message() is the usage message (ASCII), when the value
// is refused.
std::string Cp932Argument(std::string_view option, std::string_view value);

}  // namespace tobrel
