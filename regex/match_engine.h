// TMatchEngine adds to a pattern holder the line separator that "$" matches
// before and the searches over one subject.
#pragma once

#include <optional>
#include <string_view>

#include "regex/dfa_search.h"
#include "regex/regex_base.h"

namespace tobrel {

// Which character ends a line for "$": CR for lsCRLF, LF for lsLF.
enum TLineSeparator { lsCRLF = 0, lsLF = 1 };

class TMatchEngine : public TRegexBase {
 public:
  TLineSeparator LineSeparator() const { return line_separator_; }
  void SetLineSeparator(TLineSeparator separator) { line_separator_ = separator; }

  // The leftmost-longest match of the pattern in force, with the anchored
  // routine when "^" or "$" acts as an anchor in it, else the plain one.
  std::optional<MatchSpan> Search(std::string_view subject) const;
  // True exactly when Search() would find a match; cheaper.
  bool HasMatch(std::string_view subject) const;

 private:
  unsigned char SeparatorByte() const { return line_separator_ == lsLF ? '\n' : '\r'; }

  TLineSeparator line_separator_ = lsCRLF;
};

}  // namespace tobrel
