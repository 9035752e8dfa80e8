#include "tally/quoted_line_test.h"

#include "core/default_quote_line.h"
#include "regex/quote_pattern.h"

namespace tobrel {

PostingAssembler::QuotedLineTest MakeQuotedLineTest(const TLineMatcher& matcher) {
  if (matcher.RegExp() == kDefaultQuotePattern && !matcher.UseFuzzyChars() &&
      !matcher.UseSynonyms() && matcher.LineSeparator() == lsCRLF)
    return IsDefaultQuoteLogLine;
  return [&matcher](std::string_view line) { return matcher.IsMatch(line); };
}

std::optional<std::string> QuotedLineTestIdentity(const TLineMatcher& matcher) {
  if (matcher.UseFuzzyChars() || matcher.UseSynonyms()) return std::nullopt;
  return matcher.RegExp() + "\n" + std::to_string(static_cast<int>(matcher.LineSeparator()));
}

}  // namespace tobrel
