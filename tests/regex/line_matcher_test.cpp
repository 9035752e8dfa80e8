// The matcher's state: the compiled-pattern cache, the empty pattern after a
// failed setting, and the dictionary switches.
#include <gtest/gtest.h>

#include <string>

#include "regex/line_matcher.h"
#include "regex/regex_error.h"
#include "tests/regex/test_text.h"

namespace tobrel {
namespace {

using test::Sjis;

class RegexLineMatcher : public ::testing::Test {
 protected:
  int MatchLength(std::string_view subject) {
    int start, length;
    return matcher_.Match(subject, start, length) == 0 ? -1 : length;
  }

  TLineMatcher matcher_;
};

TEST_F(RegexLineMatcher, CacheKeepsThirtyEntriesNewestFirst) {
  const CompiledPatternCache& cache = matcher_.Cache();
  ASSERT_EQ(cache.size(), 1u);
  EXPECT_EQ(cache.TextAt(0), "");
  for (int i = 1; i <= 29; ++i) matcher_.SetRegExp(std::to_string(i).insert(0, 1, 'p'));
  ASSERT_EQ(cache.size(), 30u);
  EXPECT_EQ(cache.TextAt(1), "p29");
  EXPECT_EQ(cache.TextAt(29), "p1");

  // A pattern found again is put in force where it stands.
  matcher_.SetRegExp("p5");
  EXPECT_EQ(cache.InForceIndex(), 25u);
  EXPECT_EQ(cache.TextAt(1), "p29");
  EXPECT_EQ(MatchLength("xp5"), 2);

  // The 30th non-empty pattern drops the oldest; setting that one again
  // compiles it anew as entry 1.
  matcher_.SetRegExp("p30");
  EXPECT_EQ(cache.size(), 30u);
  EXPECT_EQ(cache.TextAt(29), "p2");
  matcher_.SetRegExp("p1");
  EXPECT_EQ(cache.TextAt(1), "p1");
  EXPECT_EQ(cache.InForceIndex(), 1u);
  EXPECT_EQ(cache.TextAt(29), "p3");
  EXPECT_EQ(MatchLength("p1"), 2);

  matcher_.SetRegExp("");
  EXPECT_EQ(cache.InForceIndex(), 0u);
}

TEST_F(RegexLineMatcher, FailedSettingLeavesTheEmptyPattern) {
  matcher_.SetRegExp("abc");
  EXPECT_EQ(MatchLength("xabc"), 3);
  for (const char* bad : {"(", "a**", "\\", "\x82"}) {
    EXPECT_THROW(matcher_.SetRegExp(bad), ERegexSyntax) << bad;
    EXPECT_EQ(matcher_.RegExp(), "") << bad;
    int start, length;
    EXPECT_EQ(matcher_.Match("xabc", start, length), 1) << bad;
    EXPECT_EQ(length, 0) << bad;
    EXPECT_TRUE(matcher_.IsMatch("")) << bad;
    EXPECT_EQ(matcher_.Cache().size(), 2u) << bad;  // "" and "abc" only
  }
  matcher_.SetRegExp("abc");
  EXPECT_EQ(matcher_.RegExp(), "abc");
  EXPECT_EQ(matcher_.Cache().InForceIndex(), 1u);
}

TEST_F(RegexLineMatcher, FuzzyCharsExpandThePattern) {
  matcher_.SetRegExp(Sjis("aが"));
  EXPECT_EQ(MatchLength(Sjis("Ａガ")), -1);
  matcher_.SetUseFuzzyChars(true);
  EXPECT_EQ(matcher_.RegExp(), Sjis("aが"));  // as written
  EXPECT_EQ(MatchLength(Sjis("Ａガ")), 4);
  EXPECT_EQ(MatchLength(Sjis("aｶﾞ")), 3);
  EXPECT_EQ(MatchLength(Sjis("ａか゛")), 6);
  EXPECT_EQ(matcher_.Cache().TextAt(matcher_.Cache().InForceIndex()),
            Sjis("(Ａ|ａ|A|a)(が|ガ|ｶﾞ|か゛|カ゛)"));
  matcher_.SetUseFuzzyChars(false);
  EXPECT_EQ(MatchLength(Sjis("Ａガ")), -1);
}

TEST_F(RegexLineMatcher, SynonymsExpandBeforeFuzzyChars) {
  EXPECT_TRUE(matcher_.Preprocessor().Synonyms().empty());
  matcher_.Preprocessor().Synonyms().push_back({Sjis("猫"), Sjis("ネコ")});
  matcher_.SetRegExp(Sjis("^猫+$"));
  matcher_.SetUseSynonyms(true);
  EXPECT_EQ(MatchLength(Sjis("ネコ猫")), 6);
  matcher_.SetUseFuzzyChars(true);
  EXPECT_EQ(MatchLength(Sjis("ねこ猫ﾈｺ")), 8);
}

}  // namespace
}  // namespace tobrel
