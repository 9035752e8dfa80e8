// The reading run's quoted-line test: the hand-written test only for the
// default pattern with default settings, and the matcher's answer always.
#include <gtest/gtest.h>

#include "core/default_quote_line.h"
#include "regex/quote_pattern.h"
#include "tally/quoted_line_test.h"
#include "tests/support/sjis.h"

namespace tobrel {
namespace {

using testing::S;
using FastTest = bool (*)(std::string_view);

TEST(QuotedLineTest, DefaultPatternAloneGetsTheHandWrittenTest) {
  struct Case {
    const char* name;
    std::string pattern;
    void (*set_up)(TLineMatcher&);
    bool fast;
  };
  const Case cases[] = {
      {"default", std::string(kDefaultQuotePattern), [](TLineMatcher&) {}, true},
      {"other pattern", S("^[#＃]"), [](TLineMatcher&) {}, false},
      {"fuzzy", std::string(kDefaultQuotePattern),
       [](TLineMatcher& m) { m.SetUseFuzzyChars(true); }, false},
      {"synonyms", std::string(kDefaultQuotePattern),
       [](TLineMatcher& m) { m.SetUseSynonyms(true); }, false},
      {"LF lines", std::string(kDefaultQuotePattern),
       [](TLineMatcher& m) { m.SetLineSeparator(lsLF); }, false},
  };
  const std::string lines[] = {S("  ＞引用"), "> quoted", "#comment", S("＃全角"), "plain",
                               "", S("≫"), " x>"};
  for (const Case& c : cases) {
    TLineMatcher matcher;
    matcher.SetRegExp(c.pattern);
    c.set_up(matcher);
    const PostingAssembler::QuotedLineTest test = MakeQuotedLineTest(matcher);
    const FastTest* fast = test.target<FastTest>();
    EXPECT_EQ(fast != nullptr && *fast == IsDefaultQuoteLogLine, c.fast) << c.name;
    for (const std::string& line : lines)
      EXPECT_EQ(test(line), matcher.IsMatch(line)) << c.name << ": " << line;
  }
}

}  // namespace
}  // namespace tobrel
