#include <gtest/gtest.h>

#include <fstream>

#include "platform/short_names.h"
#include "support/sjis.h"

namespace tobrel {
namespace {

// Every row of the names Wine made (tests/data/wine/short-names.tsv): the
// long name, a tab, its short name (empty: a valid 8.3 name has no other).
TEST(ShortNames, AreThoseWineMakes) {
  std::ifstream table(TOBREL_TEST_DATA "/wine/short-names.tsv", std::ios::binary);
  ASSERT_TRUE(table);
  int rows = 0;
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    const std::string long_name = line.substr(0, tab), short_name = line.substr(tab + 1);
    EXPECT_EQ(WineShortName(long_name), short_name) << long_name;
    EXPECT_EQ(IsValid8Dot3Name(long_name), short_name.empty()) << long_name;
    ++rows;
  }
  EXPECT_EQ(rows, 16);
}

TEST(ShortNames, FindTheNameAShortNameStandsFor) {
  const std::vector<std::string> names = {
      "Program Files (x86)", "readme.text", "program files", "AirCraft 97", "PROGRA~1",
      "Readme.txt", "log.backup.old", "a b c", testing::S("エアクラフト ９７表")};
  static const struct {
    const char* short_name;
    const char* long_name;  // nullptr: none
  } cases[] = {
      // Wine's hashed names, letter case ignored.
      {"PROG~5P2", "Program Files (x86)"},
      {"prog~fbu", "program files"},
      {"AIRC~JGG", "AirCraft 97"},
      {"LOG_~S4B.OLD", "log.backup.old"},
      {"READ~REN.TEX", "readme.text"},
      {"A_B_~Q0V", "a b c"},
      // Numeric tails, counted in the order ignoring case among the names
      // that need a short name: "PROGRA~1" and "Readme.txt" need none.
      {"progra~1", "program files"},
      {"PROGRA~2", "Program Files (x86)"},
      {"AIRCRA~1", "AirCraft 97"},
      {"LOGBAC~1.OLD", "log.backup.old"},
      {"README~1.TEX", "readme.text"},
      {"ABC~1", "a b c"},
      // Nothing: no such number, another extension, no 8.3 name, no "~".
      {"PROGRA~3", nullptr},
      {"README~2.TEX", nullptr},
      {"AIRC~JGG.EXE", nullptr},
      {"README~1.TXT", nullptr},
      {"PROGRAM~FILES", nullptr},
      {"PROGRAM", nullptr},
      {"", nullptr},
  };
  for (const auto& c : cases) {
    const auto found = FindByShortName(names, c.short_name);
    if (c.long_name)
      EXPECT_EQ(found ? names[*found] : "(none)", c.long_name) << c.short_name;
    else
      EXPECT_FALSE(found) << c.short_name << " gave " << names[*found];
  }

  // A name in Shift-JIS bytes has the short name of the same name in UTF-8.
  const std::string japanese = WineShortName("エアクラフト ９７表");
  EXPECT_EQ(japanese.substr(0, 5), "____~");
  EXPECT_EQ(WineShortName(testing::S("エアクラフト ９７表")), japanese);
  EXPECT_EQ(FindByShortName(names, japanese), names.size() - 1);

  // From the tenth name with one basis on, the basis gives way to the number.
  std::vector<std::string> many;
  for (int i = 1; i <= 12; ++i) many.push_back("Long Name " + std::to_string(100 + i));
  EXPECT_EQ(FindByShortName(many, "LONGNA~9"), 8u);
  EXPECT_EQ(FindByShortName(many, "LONGN~12"), 11u);
  EXPECT_FALSE(FindByShortName(many, "LONGNA~10"));
}

}  // namespace
}  // namespace tobrel
