// TLineMatcher matches one user-editable pattern against single lines of
// CP932 text: the quote-line test of the reading run and the title test of
// the exclusion rules each own one.
//
//   TLineMatcher matcher;
//   try {
//     matcher.SetRegExp(pattern);
//   } catch (const ERegexSyntax&) {
//     // show kInvalidPatternMessage; the empty pattern is now in force
//   }
//   if (matcher.IsMatch(line)) ...          // yes/no, fastest
//   int start, length;
//   if (matcher.Match(line, start, length) >= 1) ...
#pragma once

#include <string_view>

#include "regex/match_engine.h"

namespace tobrel {

class TLineMatcher : public TMatchEngine {
 public:
  // Starts with the empty pattern, both expansions off, lsCRLF, and the
  // built-in fuzzy character dictionary attached.
  TLineMatcher();

  // Searches `subject` (leftmost, then longest). Returns the 1-based byte
  // position where the match starts and sets `start` to it and `length` to
  // the match's length in bytes; an empty match still returns at least 1.
  // Without a match returns 0 and sets both to 0.
  int Match(std::string_view subject, int& start, int& length) const;

  // True when the pattern matches somewhere in `line` (Match() >= 1). Stops
  // at the first match found; suits std::function<bool(std::string_view)>
  // through a lambda that captures the matcher.
  bool IsMatch(std::string_view line) const { return HasMatch(line); }
};

}  // namespace tobrel
