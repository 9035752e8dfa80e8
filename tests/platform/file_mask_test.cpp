#include <gtest/gtest.h>

#include "platform/file_mask.h"

namespace tobrel {
namespace {

TEST(FileMask, MatchesLikeWindows) {
  static const struct {
    const char* name;
    const char* pattern;
    bool matches;
  } cases[] = {
      // Letter case is ignored.
      {"Mes_01.LOG", "MES_??.LOG", true},
      {"mes_01.log", "Mes_??.LOG", true},
      {"MES_1.LOG", "Mes_??.LOG", false},
      {"MES_001.LOG", "Mes_??.LOG", false},
      {"MES.LOG", "Mes_??.LOG", false},
      {"AR_00012.LOG", "AR_?????.LOG", true},
      // "?" takes a whole UTF-8 character.
      {"MES_\xE3\x81\x82\xE3\x81\x84.LOG", "MES_??.LOG", true},
      // "*" runs.
      {"room.log", "*.LOG", true},
      {"room.log.bak", "*.LOG", false},
      {"a.b.log", "*.log", true},
      {".hidden.txt", "*.TXT", true},
      {"x", "*", true},
      {"aXbXc", "a*b*c", true},
      {"aXbXd", "a*b*c", false},
      // ".*" at the end also takes names without a dot; "." only those.
      {"README", "*.*", true},
      {"a.b", "*.*", true},
      {".profile", "*.*", true},
      {"MES", "MES.*", true},
      {"FPC", "*.", true},
      {"FPC.OLD", "*.", false},
      {"", "*", true},
      {"a", "", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MatchesFileMask(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
}

TEST(FileMask, LongNamesStayQuick) {
  const std::string name(20000, 'a');
  EXPECT_FALSE(MatchesFileMask(name, "*a*a*a*a*a*b"));
}

}  // namespace
}  // namespace tobrel
