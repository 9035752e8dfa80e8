#include <gtest/gtest.h>

#include <fstream>

#include "sources/install_search.h"
#include "support/aircraft_prefix.h"

namespace tobrel {
namespace {

using testing::WinePrefixBuilder;

// Registry texts, one key with one value each.
std::string RegKey(std::string_view key, std::string_view name, std::string_view value) {
  auto escaped = [](std::string_view text) {
    std::string out;
    for (const char c : text) {
      if (c == '\\' || c == '"') out += '\\';
      out += c;
    }
    return out;
  };
  return "[" + escaped(key) + "] 1700000000\n" +
         (name.empty() ? std::string("@") : "\"" + escaped(name) + "\"") + "=\"" + escaped(value) +
         "\"\n";
}

const std::string kRegistration =
    RegKey("Software\\Classes\\AirCraft.Application\\Clsid", "", "{0A1B2C3D}") +
    RegKey("Software\\Classes\\CLSID\\{0A1B2C3D}\\LocalServer32", "", "C:\\ac97\\AIRCRAFT.EXE");
const std::string kQuotedRegistration =
    RegKey("Software\\Classes\\AirCraft.Application\\Clsid", "", "{0A1B2C3D}") +
    RegKey("Software\\Classes\\CLSID\\{0A1B2C3D}\\LocalServer32", "",
           "\"C:\\Program Files\\x\\AirCraft.exe\" /Automation");
const std::string kClsidOnly =
    RegKey("Software\\Classes\\AirCraft.Application\\Clsid", "", "{0A1B2C3D}");
const std::string kUninstall =
    RegKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97",
           "UninstallString", "C:\\WINDOWS\\unvise.exe /L C:\\AC97\\INSTALL.LOG");
const std::string kUninstallMissingLog =
    RegKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97",
           "UninstallString", "C:\\WINDOWS\\unvise.exe /L C:\\AC97\\NOSUCH.LOG");
const std::string kUninstallOtherTool =
    RegKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97",
           "UninstallString", "C:\\WINDOWS\\other.exe C:\\AC97\\INSTALL.LOG");
const std::string kUninstallOtherLog =
    RegKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97",
           "UninstallString", "C:\\WINDOWS\\unvise.exe /L C:\\AC97\\README.TXT");
const std::string kShellFolders =
    RegKey("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Programs",
           "C:\\users\\me\\Start Menu\\Programs");

// A prefix with the installation, its installer log, and shortcuts.
class InstallSearchTest : public ::testing::Test {
 protected:
  InstallSearchTest() {
    testing::BuildAircraftInstall(prefix_);
    prefix_.Write("drive_c/AC97/INSTALL.LOG",
                  "[files]\r\n0=C:\\AC97\\README.TXT\r\n"
                  "AirCraft C:\\VIA_LOG\\AirCraft.exe\r\n"
                  "0=C:\\VIA_LOG\\AirCraft.exe\r\n"
                  "0=C:\\LATER\\AirCraft.exe\r\n");
    prefix_.Write("drive_c/AC97/README.TXT", "no program here\n");
    prefix_.Write("drive_c/users/me/Start Menu/Programs/AirCraft 97/AirCraft 97.lnk",
                  testing::ShellLinkBytes({.base_path = "C:\\VIA_LINK\\AirCraft.exe"}));
  }

  WineSystem Load(const std::string& system_reg, const std::string& user_reg) {
    prefix_.Write("system.reg", "WINE REGISTRY Version 2\n" + system_reg);
    prefix_.Write("user.reg", "WINE REGISTRY Version 2\n" + user_reg);
    return WineSystem::Load(prefix_.path());
  }

  std::string C(std::string_view rest) const { return prefix_.Native("dosdevices/c:") + std::string(rest); }

  WinePrefixBuilder prefix_{"tobrel-install-search-test"};
};

TEST_F(InstallSearchTest, EachSourceAndTheirOrder) {
  const struct {
    const char* what;
    std::string system_reg, user_reg;
    std::string expected;  // after the drive folder; empty: not found
  } cases[] = {
      {"nothing registered", "", "", ""},
      {"registration", "", kRegistration, "/AC97/"},
      {"registration of the machine", kRegistration, "", "/AC97/"},
      {"quoted registration with arguments", "", kQuotedRegistration, "/Program Files/x/"},
      {"class without a server", "", kClsidOnly, ""},
      {"uninstaller log", kUninstall, "", "/VIA_LOG/"},
      {"uninstall entry of another tool", kUninstallOtherTool, "", ""},
      {"installer log without the program", kUninstallOtherLog, "", ""},
      {"start-menu shortcut", "", kShellFolders, "/VIA_LINK/"},
      {"registration before the others", kUninstall, kRegistration + kShellFolders, "/AC97/"},
      {"uninstaller log before the shortcut", kUninstall, kShellFolders, "/VIA_LOG/"},
      {"an empty log source falls through", kUninstallOtherLog, kShellFolders, "/VIA_LINK/"},
  };
  for (const auto& c : cases) {
    const InstallSearch search = FindInstallFolder(Load(c.system_reg, c.user_reg));
    EXPECT_EQ(search.folder, c.expected.empty() ? "" : C(c.expected)) << c.what;
    EXPECT_FALSE(search.log_unread) << c.what;
  }
}

// In a 64-bit prefix a 32-bit installer's keys stand in the 32-bit view
// (as Wine 8.0 wrote them, tests/data/wine/system-wow64-excerpt.reg), which
// is read before the native keys by the registration and uninstall sources.
TEST_F(InstallSearchTest, ThirtyTwoBitViewOfA64BitPrefixComesFirst) {
  std::ifstream in(TOBREL_TEST_DATA "/wine/system-wow64-excerpt.reg", std::ios::binary);
  const std::string wine_system_reg(std::istreambuf_iterator<char>(in), {});
  prefix_.Write("drive_c/Program Files (x86)/AirCraft 97/AirCraft.exe", "MZ");
  const std::string wow64_uninstall =
      "#arch=win64\n" +
      RegKey("Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97",
             "UninstallString", "C:\\WINDOWS\\unvise.exe /L C:\\AC97\\INSTALL.LOG");
  const struct {
    const char* what;
    std::string system_reg, user_reg;
    std::string expected;  // after the drive folder
  } cases[] = {
      {"registration written by Wine", wine_system_reg, "", "/Program Files (x86)/AirCraft 97/"},
      {"before a native registration", wine_system_reg, kRegistration,
       "/Program Files (x86)/AirCraft 97/"},
      {"uninstall entry of the 32-bit view", wow64_uninstall, "", "/VIA_LOG/"},
      {"before a native uninstall entry", wow64_uninstall + kUninstallOtherLog, "", "/VIA_LOG/"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindInstallFolder(Load(c.system_reg, c.user_reg)).folder, C(c.expected)) << c.what;
  }
}

// The shortcuts Wine 8.0 wrote lead to the prefix's folders; the Shift-JIS
// names of the Japanese one find a folder named in UTF-8, as Wine names
// folders, or one copied with its Shift-JIS bytes.
TEST_F(InstallSearchTest, ShortcutsWineWrote) {
  const WineSystem system = Load("", kShellFolders);
  const std::string japanese = "Program Files (x86)/エアクラフト ９７表";
  const std::string japanese_sjis = "Program Files (x86)/" + testing::S("エアクラフト ９７表");
  const struct {
    const char* shortcut;
    std::string folder;
  } cases[] = {
      {"shortcut-ascii.lnk", "Program Files (x86)/AirCraft 97"},
      {"shortcut-japanese.lnk", japanese},
      {"shortcut-japanese.lnk", japanese_sjis},
  };
  for (const auto& c : cases) {
    std::ifstream in(std::string(TOBREL_TEST_DATA "/wine/") + c.shortcut, std::ios::binary);
    prefix_.Write("drive_c/users/me/Start Menu/Programs/AirCraft 97/AirCraft 97.lnk",
                  std::string(std::istreambuf_iterator<char>(in), {}));
    prefix_.MakeFolder("drive_c/" + c.folder);
    EXPECT_EQ(FolderFromStartMenuShortcut(system), C("/" + c.folder + "/")) << c.shortcut;
    std::filesystem::remove(prefix_.path() / "drive_c" / c.folder);
  }
}

TEST_F(InstallSearchTest, ShortcutsThatGiveNothing) {
  const WineSystem system = Load("", kShellFolders);
  const std::string link = "drive_c/users/me/Start Menu/Programs/AirCraft 97/AirCraft 97.lnk";
  const std::string good = testing::ShellLinkBytes({.base_path = "C:\\VIA_LINK\\AirCraft.exe"});
  std::string too_large = good;
  too_large.resize((1 << 20) + 1);  // past the 1 MiB of a shortcut, however good its start
  for (const std::string& bytes :
       {good.substr(0, 90), std::string("not a link"),
        testing::ShellLinkBytes({.suffix = "A\\AirCraft.exe", .network = true}), too_large}) {
    prefix_.Write(link, bytes);
    EXPECT_EQ(FolderFromStartMenuShortcut(system), "");
  }
}

TEST_F(InstallSearchTest, AnUnreadableInstallerLogEndsTheSearch) {
  const InstallSearch search = FindInstallFolder(Load(kUninstallMissingLog, kShellFolders));
  EXPECT_EQ(search.folder, "");
  ASSERT_TRUE(search.log_unread);
  EXPECT_NE(search.log_unread->message().find("NOSUCH.LOG"), std::string::npos)
      << search.log_unread->message();
}

TEST_F(InstallSearchTest, ReadsGlobalDat) {
  const WineSystem system = Load("", "");
  EXPECT_EQ(ReadGlobalDat(system, C("/AC97/")).log_root, C("/AC97/Log/"));
  EXPECT_EQ(ReadGlobalDat(system, C("/AC97")).log_root, C("/AC97/Log/"));
  EXPECT_EQ(ReadGlobalDat(system, "").log_root, "");

  static const struct {
    const char* what;
    std::string bytes;
    std::string expected;  // after the drive folder; empty: no folder
  } cases[] = {
      {"empty file", "", ""},
      {"shorter than 3 bytes", std::string("\0\x0B", 2), ""},
      {"length 0", std::string("\0\0\0C:\\AC97\\", 10), ""},
      {"length past the end", std::string("\0\0\xF0", 3) + "C:\\ac97\\log", "/AC97/Log/"},
      {"final backslash", std::string("\0\0\x0C", 3) + "C:\\AC97\\LOG\\xyz", "/AC97/Log/"},
      {"a NUL ends the path", std::string("\0\0\x10", 3) + std::string("C:\\AC97\\\0LOG\\", 13),
       "/AC97/"},
      {"folder not there yet", testing::GlobalDat("C:\\AC97\\NEWLOG"), "/AC97/NEWLOG/"},
      {"network path", testing::GlobalDat("\\\\server\\logs"), ""},
  };
  for (const auto& c : cases) {
    prefix_.Write("drive_c/AC97/Global.Dat", c.bytes);
    const GlobalDatResult result = ReadGlobalDat(system, C("/AC97/"));
    EXPECT_EQ(result.log_root, c.expected.empty() ? "" : C(c.expected)) << c.what;
    EXPECT_FALSE(result.not_read) << c.what;
  }

  // Found ignoring case; missing: the message.
  std::filesystem::rename(prefix_.path() / "drive_c/AC97/Global.Dat",
                          prefix_.path() / "drive_c/AC97/GLOBAL.DAT");
  EXPECT_FALSE(ReadGlobalDat(system, C("/AC97/")).not_read);
  std::filesystem::remove(prefix_.path() / "drive_c/AC97/GLOBAL.DAT");
  const GlobalDatResult missing = ReadGlobalDat(system, C("/AC97/"));
  EXPECT_EQ(missing.log_root, "");
  ASSERT_TRUE(missing.not_read);
  EXPECT_EQ(missing.not_read->message(), kGlobalDatMissingMessage);
}

}  // namespace
}  // namespace tobrel
