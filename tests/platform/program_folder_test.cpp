#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace tobrel {
namespace {

TEST(ProgramFolder, SettingsFileNameIsTheProgramNameInUpperCase) {
  EXPECT_EQ(SettingsFileName("/opt/tobrel/tobrel"), "TOBREL.INI");
  EXPECT_EQ(SettingsFileName("/opt/x/Tobrel.bin"), "TOBREL.INI");
}

// Beside the program only when its settings file already stands there; a
// writable program folder alone is not a portable install.
TEST(ProgramFolder, BesideTheProgramOnlyWithItsSettingsFileElseTheConfigurationFolder) {
  testing::TempFolder portable("tobrel-portable");
  portable.Write("TOBREL.INI", "[POS]\r\n");
  testing::TempFolder installed("tobrel-installed");  // writable, but no settings file
  const std::filesystem::path in_portable = portable.path() / "tobrel";
  const std::filesystem::path in_installed = installed.path() / "tobrel";
  static const struct {
    bool portable;
    const char* xdg;
    const char* home;
    const char* expected;  // empty: the program's folder
  } cases[] = {
      {true, "/x/config", "/home/u", ""},
      {false, "/x/config", "/home/u", "/x/config/tobrel"},
      {false, nullptr, "/home/u", "/home/u/.config/tobrel"},
      {false, "relative", "/home/u", "/home/u/.config/tobrel"},
      {false, "", "/home/u", "/home/u/.config/tobrel"},
      {false, nullptr, nullptr, "./.config/tobrel"},
  };
  for (const auto& c : cases) {
    const std::filesystem::path& program = c.portable ? in_portable : in_installed;
    const std::filesystem::path expected =
        c.expected[0] ? std::filesystem::path(c.expected) : program.parent_path();
    EXPECT_EQ(ChooseFilesFolder(program, c.xdg, c.home), expected)
        << program << " " << (c.xdg ? c.xdg : "(no XDG)") << " " << (c.home ? c.home : "(no HOME)");
  }
}

}  // namespace
}  // namespace tobrel
