#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/wine_paths.h"
#include "support/sjis.h"
#include "support/wine_prefix.h"

namespace tobrel {
namespace {

TEST(WinePaths, MapsWindowsPathsIgnoringCase) {
  testing::WinePrefixBuilder prefix("tobrel-wine-paths-test");
  prefix.MakeFolder("drive_c/Program Files/AC97/Log");
  prefix.MakeFolder("drive_c/other");
  prefix.Link("drive_c/ac97link", "Program Files/AC97");
  prefix.Link("dosdevices/d:", "d:");             // a loop
  prefix.Link("dosdevices/e:", "../missing");     // broken
  prefix.Link("dosdevices/z:", "../drive_c/other");
  prefix.Link("drive_c/loop", "loop");
  const std::string c = prefix.Native("dosdevices/c:");

  static const struct {
    const char* windows;
    const char* native;  // after the drive folder "c:"; nullptr: nothing
  } cases[] = {
      {"C:\\PROGRAM FILES\\ac97\\LOG\\", "/Program Files/AC97/Log/"},
      {"c:\\program files\\AC97\\log", "/Program Files/AC97/Log"},
      {"C:/Program Files/AC97/Log/", "/Program Files/AC97/Log/"},
      {"C:\\\\Program Files\\.\\X\\..\\AC97\\", "/Program Files/AC97/"},
      {"C:\\AC97LINK\\LOG\\", "/ac97link/Log/"},
      // From the first missing component on, the path stays as given.
      {"C:\\Program Files\\NoSuch\\LOG\\", "/Program Files/NoSuch/LOG/"},
      {"C:\\LOOP\\x", "/LOOP/x"},
      {"C:\\", "/"},
      {"C:", ""},
      // No drive letter, or a drive the prefix does not map to a folder.
      {"\\\\server\\share\\x", nullptr},
      {"relative\\x", nullptr},
      {"1:\\x", nullptr},
      {"D:\\x", nullptr},
      {"E:\\x", nullptr},
      {"F:\\x", nullptr},
      {"", nullptr},
  };
  for (const auto& t : cases) {
    const auto mapped = MapWindowsPath(prefix.path(), t.windows);
    if (t.native)
      EXPECT_EQ(mapped, std::optional<std::string>(c + t.native)) << t.windows;
    else
      EXPECT_FALSE(mapped) << t.windows << " gave " << *mapped;
  }
  EXPECT_EQ(MapWindowsPath(prefix.path(), "z:\\"), prefix.Native("dosdevices/z:") + "/");

  // The drive list: only drives that lead to a folder, by their targets.
  const std::vector<WineDrive> drives = WineDrives(prefix.path());
  ASSERT_EQ(drives.size(), 2u);
  EXPECT_EQ(drives[0].letter, 'c');
  EXPECT_EQ(drives[0].target, std::filesystem::canonical(prefix.path() / "drive_c"));
  EXPECT_EQ(drives[1].letter, 'z');
  EXPECT_EQ(drives[1].target, std::filesystem::canonical(prefix.path() / "drive_c/other"));
}

// Short names as Wine makes them (PROG~5P2) and Windows' numeric tails
// (PROGRA~2) both lead to the long names; a name that is there wins over a
// short name, and a folder named in Shift-JIS bytes is found by its name.
TEST(WinePaths, ResolvesShortNames) {
  testing::WinePrefixBuilder prefix("tobrel-wine-short-names-test");
  prefix.MakeFolder("drive_c/Program Files/Other");
  prefix.MakeFolder("drive_c/Program Files (x86)/AirCraft 97/Nifty Forum Logs");
  prefix.MakeFolder("drive_c/PROGRA~1");
  const std::string japanese = testing::S("エアクラフト ９７表");
  prefix.MakeFolder("drive_c/" + japanese + "/Log");
  prefix.MakeFolder("drive_c/ＦＵＬＬ");
  const std::string c = prefix.Native("dosdevices/c:");

  static const struct {
    const char* windows;
    std::string native;  // after the drive folder "c:"
  } cases[] = {
      {"C:\\PROG~5P2\\AIRC~JGG\\NIFT~NRF\\", "/Program Files (x86)/AirCraft 97/Nifty Forum Logs/"},
      {"c:\\prog~5p2\\airc~jgg", "/Program Files (x86)/AirCraft 97"},
      {"C:\\PROGRA~2\\AIRCRA~1\\NIFTYF~1\\", "/Program Files (x86)/AirCraft 97/Nifty Forum Logs/"},
      {"C:\\PROG~FBU\\OTHER", "/Program Files/Other"},
      {"C:\\PROGRA~1\\Other", "/PROGRA~1/Other"},
      {"C:\\PROGRA~3\\AIRC~JGG", "/PROGRA~3/AIRC~JGG"},
      {"C:\\PROG~5P2\\AIRC~JGX\\", "/Program Files (x86)/AIRC~JGX/"},
      {"C:\\エアクラフト ９７表\\log", "/" + japanese + "/Log"},
      // Only ASCII letters fold: full-width ones name another folder.
      {"C:\\ｆｕｌｌ\\", "/ｆｕｌｌ/"},
  };
  for (const auto& t : cases)
    EXPECT_EQ(MapWindowsPath(prefix.path(), t.windows), std::optional<std::string>(c + t.native))
        << t.windows;
}

TEST(WinePaths, PrefixComesFromTheEnvironment) {
  const char* saved = std::getenv("WINEPREFIX");
  const std::string kept = saved ? saved : "";
  ::setenv("WINEPREFIX", "/somewhere/prefix", 1);
  EXPECT_EQ(DefaultWinePrefix(), "/somewhere/prefix");
  ::setenv("WINEPREFIX", "", 1);
  EXPECT_EQ(DefaultWinePrefix(), HomeFolder() / ".wine");
  if (saved) ::setenv("WINEPREFIX", kept.c_str(), 1);
  else ::unsetenv("WINEPREFIX");
}

}  // namespace
}  // namespace tobrel
