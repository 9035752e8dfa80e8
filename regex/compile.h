// Compiling a pattern text into the DFA that searches run on.
#pragma once

#include <memory>
#include <string_view>

#include "regex/dfa.h"

namespace tobrel {

// Scans and parses `pattern`, builds its NFA and turns that into a DFA.
// Throws ERegexSyntax for a malformed pattern and for one that passes the
// bounds of regex/complexity_limits.h; everything built is freed then.
std::unique_ptr<TRegexDFA> Compile(std::string_view pattern);

}  // namespace tobrel
