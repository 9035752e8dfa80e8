// Running a compiled pattern over one subject: the leftmost-longest search
// and a yes/no test that stops as soon as the answer is known. Both take
// time linear in the subject's length.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "regex/dfa.h"

namespace tobrel {

// A match: byte positions [start, end) in the subject.
struct MatchSpan {
  std::size_t start;
  std::size_t end;
  friend bool operator==(const MatchSpan&, const MatchSpan&) = default;
};

// Leftmost-longest search: the plain routine for a DFA without anchors, the
// anchored one for a DFA with them. `separator` is the byte before which "$"
// matches (CR or LF); "$" also matches at the end of the subject, "^" at its
// start and right after an LF.
std::optional<MatchSpan> Search(const TRegexDFA& dfa, std::string_view subject,
                                unsigned char separator);

// True exactly when Search() finds a match, without looking for the longest
// one or scanning further than needed.
bool HasMatch(const TRegexDFA& dfa, std::string_view subject, unsigned char separator);

}  // namespace tobrel
