#include "core/count_chars.h"

#include <gtest/gtest.h>

#include "support/sjis.h"

namespace tobrel {
namespace {

using testing::S;

TEST(CountChars, CountsVisibleCharacters) {
  static const struct {
    std::string line;
    int expected;
  } cases[] = {
      {"ab" + S("　") + "c", 3},   // a full-width blank counts 0
      {S("全角"), 2},
      {S("ﾃｽ"), 2},                 // half-width katakana
      {"    ", 0},
      {"", 0},
      {"a\tb\x1a" "c", 3},         // control bytes count 0
      {"\x81\x3f", 0},              // below the full-width blank
      {"\x81\x41", 1},              // just above it
      {"a\x82", 2},                 // a lone lead byte at the end sorts above "　"
      {"a\x81", 1},                 // ...or below it
      {"\x7f\x80\xa0" "b", 1},     // 0x7F and 0xA0 start pairs: 0x7F 0x80 counts 0, 0xA0 0x62 1
      {std::string("a\0b", 3), 2},
  };
  for (const auto& c : cases) EXPECT_EQ(CountChars(c.line, false), c.expected) << c.line;
}

TEST(CountChars, InterwayLinesCountNothingOnlyWhenAsked) {
  const std::string heading = S("この発言に対するコメント");
  const std::string link = std::string(kInterwayLinkPrefix) + "forum/com.cgi?n=1";
  const std::string other_link = std::string(kInterwayLinkPrefix) + "forum/index.html";
  EXPECT_EQ(CountChars(heading, true), 0);
  EXPECT_EQ(CountChars(heading, false), 12);
  EXPECT_EQ(CountChars(link, true), 0);
  EXPECT_EQ(CountChars(link, false), static_cast<int>(link.size()));
  EXPECT_EQ(CountChars(other_link, true), static_cast<int>(other_link.size()));
  EXPECT_EQ(CountChars(heading + " ", true), 12);
}

}  // namespace
}  // namespace tobrel
