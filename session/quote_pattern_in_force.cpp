#include "session/quote_pattern_in_force.h"

#include "regex/quote_pattern.h"
#include "regex/regex_error.h"

namespace tobrel {

bool PutStoredQuotePatternInForce(TLineMatcher& matcher, const std::string& stored) {
  try {
    matcher.SetRegExp(stored.empty() ? std::string(kDefaultQuotePattern) : stored);
    return true;
  } catch (const ERegexSyntax&) {
    matcher.SetRegExp(std::string(kDefaultQuotePattern));
    return false;
  }
}

}  // namespace tobrel
