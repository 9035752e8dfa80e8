#include "session/quote_pattern_in_force.h"

#include <gtest/gtest.h>

#include "regex/quote_pattern.h"

namespace tobrel {
namespace {

TEST(StoredQuotePattern, AnEmptyOrInvalidOneLeavesTheDefaultInForce) {
  struct Case {
    std::string stored;
    bool taken;
    std::string in_force;
  };
  const Case cases[] = {
      {"", true, std::string(kDefaultQuotePattern)},
      {"^>", true, "^>"},
      {"(", false, std::string(kDefaultQuotePattern)},
      {"[z-a]", false, std::string(kDefaultQuotePattern)},
  };
  for (const Case& c : cases) {
    TLineMatcher matcher;
    matcher.SetRegExp("^#");
    EXPECT_EQ(PutStoredQuotePatternInForce(matcher, c.stored), c.taken) << c.stored;
    EXPECT_EQ(matcher.RegExp(), c.in_force) << c.stored;
  }
}

}  // namespace
}  // namespace tobrel
