#include "platform/cp932.h"

#include <gtest/gtest.h>

namespace tobrel::cp932 {
namespace {

TEST(Cp932, NextCharPosNeverSplitsOrOverruns) {
  const std::string text = "a\x82\xa0" "b\x82";  // a, あ, b, lone lead byte
  EXPECT_EQ(NextCharPos(text, 0), 1u);
  EXPECT_EQ(NextCharPos(text, 1), 3u);
  EXPECT_EQ(NextCharPos(text, 3), 4u);
  EXPECT_EQ(NextCharPos(text, 4), 5u);  // the lone lead byte is one character
}

TEST(Cp932, FindAlignedSkipsMatchesInsideCharacters) {
  // "ア" is 0x83 0x41: its trail byte is "A", which must not match.
  const std::string text = "\x83\x41" "BA";
  EXPECT_EQ(FindAligned(text, "A"), 3u);
  EXPECT_EQ(FindAligned(text, "AB"), std::string_view::npos);
  EXPECT_EQ(FindAligned(text, "\x83\x41"), 0u);
  EXPECT_EQ(FindAligned(text, "A", 4), std::string_view::npos);
}

TEST(Cp932, ConvertsVendorCharactersBothWays) {
  static const struct {
    const char* utf8;
    const char* cp932;
  } cases[] = {
      {"～", "\x81\x60"},      // full-width tilde U+FF5E
      {"①", "\x87\x40"},      // NEC circled digit
      {"ﾃｽﾄ", "\xc3\xbd\xc4"},  // half-width katakana
      {"発言", "\x94\xad\x8c\xbe"},
      {"abc", "abc"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FromUtf8(c.utf8), c.cp932) << c.utf8;
    EXPECT_EQ(ToUtf8(c.cp932), c.utf8) << c.utf8;
  }
}

TEST(Cp932, BadBytesBecomeReplacementsWithoutLosingNeighbours) {
  EXPECT_EQ(ToUtf8("a\x82"), "a\xEF\xBF\xBD");        // lone lead byte at the end
  EXPECT_EQ(ToUtf8("\x82\tb"), "\xEF\xBF\xBD\tb");    // lead byte before a tab
  EXPECT_EQ(ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
  EXPECT_EQ(FromUtf8("a\xff" "b"), "a?b");            // invalid UTF-8
  EXPECT_EQ(FromUtf8("\xF0\x9F\x98\x80"), "?");       // no CP932 code
}

}  // namespace
}  // namespace tobrel::cp932
