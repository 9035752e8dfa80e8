#include "platform/private_profile.h"

#include <gtest/gtest.h>

#include <string>

namespace tobrel {
namespace {

const std::string kFile =
    "; comment\r\n"
    "[Pos]\r\n"
    "  top = 12 \r\n"
    "Left=abc\r\n"
    "Height=99999999999\r\n"
    "NEG=-7\r\n"
    "flag=2\r\n"
    "noequals\r\n"
    "top=13\n"
    "[pos]\r"
    "HEIGHT=1\r\n"
    "[ENV]\r\n"
    "QUOTE=\t^>  \r\n"
    "EMPTY=\r\n"
    "DATE=1999/02/29\r\n"
    "GOOD=2000/02/29\r\n"
    "SHORT=2000/2/9\r\n"
    "TWO=00/02/09\r\n"
    "TIME=2000/02/09 10:00\r\n";

TEST(PrivateProfile, Reads) {
  const PrivateProfile ini(kFile);
  static const struct {
    const char* section;
    const char* key;
    int fallback;
    int expected;
  } integers[] = {
      {"POS", "TOP", 0, 12},         // case ignored, trimmed, the first key wins
      {"POS", "LEFT", 5, 5},         // not a number
      {"POS", "HEIGHT", 480, 480},   // beyond 32 bits; the later [pos] is not read
      {"pos", "neg", 0, -7},
      {"POS", "NOEQUALS", 3, 3},
      {"POS", "MISSING", 4, 4},
      {"NOSECTION", "TOP", 6, 6},
      {"ENV", "EMPTY", 8, 8},
  };
  for (const auto& c : integers)
    EXPECT_EQ(ini.ReadInteger(c.section, c.key, c.fallback), c.expected) << c.section << c.key;
  EXPECT_TRUE(ini.ReadBool("POS", "FLAG", false));
  EXPECT_FALSE(ini.ReadBool("POS", "NEG", true) == false);
  EXPECT_EQ(ini.ReadString("ENV", "QUOTE", "x"), "^>");
  EXPECT_EQ(ini.ReadString("ENV", "EMPTY", "x"), "");
  EXPECT_EQ(ini.ReadString("ENV", "NONE", "x"), "x");
  EXPECT_EQ(ini.ReadDate("ENV", "DATE", 1.0), 1.0);
  EXPECT_EQ(ini.ReadDate("ENV", "GOOD", 1.0), *EncodeDateTime({2000, 2, 29, 0, 0, 0}));
  EXPECT_EQ(ini.ReadDate("ENV", "SHORT", 1.0), *EncodeDateTime({2000, 2, 9, 0, 0, 0}));
  EXPECT_EQ(ini.ReadDate("ENV", "TWO", 1.0), 1.0);
  EXPECT_EQ(ini.ReadDate("ENV", "TIME", 1.0), 1.0);
}

TEST(PrivateProfile, WritesOneKeyAndKeepsEveryOtherLine) {
  PrivateProfile ini("; comment\r\n[POS]\r\nTop=1\r\nother line\r\n\r\n[X]\r\nA=1\r\n");
  ini.WriteString("pos", "TOP", "2");
  ini.WriteString("POS", "LEFT", "3\r\n[EVIL]");  // a line end cannot break the file
  ini.WriteString("NEW", "KEY", "v");
  EXPECT_EQ(ini.Bytes(),
            "; comment\r\n[POS]\r\nTOP=2\r\nother line\r\nLEFT=3\r\n\r\n[X]\r\nA=1\r\n"
            "[NEW]\r\nKEY=v\r\n");
  EXPECT_EQ(PrivateProfile(ini.Bytes()).ReadInteger("POS", "LEFT", 0), 3);
}

TEST(PrivateProfile, LongLinesAndGarbage) {
  const std::string long_value(1 << 20, 'v');
  PrivateProfile ini("[A]\r\nK=" + long_value + "\r\n" + std::string("\0\xff[\x81]=\x1a", 7));
  EXPECT_EQ(ini.ReadString("A", "K", "").size(), long_value.size());
  ini.WriteInteger("A", "N", 1);
  EXPECT_EQ(PrivateProfile(ini.Bytes()).ReadInteger("A", "N", 0), 1);
}

}  // namespace
}  // namespace tobrel
