#include "regex/line_matcher.h"

#include "regex/fuzzy_chars.h"

namespace tobrel {

TLineMatcher::TLineMatcher() { Preprocessor().AttachFuzzyChars(&FuzzyCharDictionary()); }

int TLineMatcher::Match(std::string_view subject, int& start, int& length) const {
  const std::optional<MatchSpan> found = Search(subject);
  start = found ? static_cast<int>(found->start) + 1 : 0;
  length = found ? static_cast<int>(found->end - found->start) : 0;
  return start;
}

}  // namespace tobrel
