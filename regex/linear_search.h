// The searches of regex/dfa_search.h done in time linear in the subject's
// length whatever the pattern: the same answers as restarting a run at every
// position, without the cost of runs that cross the same characters again
// and again. dfa_search.cpp switches to them when restarting gets costly.
#pragma once

#include <optional>
#include <string_view>

#include "regex/dfa.h"
#include "regex/dfa_search.h"

namespace tobrel {

// The same match as Search().
std::optional<MatchSpan> LinearSearch(const TRegexDFA& dfa, std::string_view subject,
                                      unsigned char separator);

// The same answer as HasMatch().
bool LinearHasMatch(const TRegexDFA& dfa, std::string_view subject, unsigned char separator);

}  // namespace tobrel
