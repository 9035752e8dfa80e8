#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/wine_registry.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

RegistryFile Parse(const std::string& text) {
  std::istringstream in(text);
  return RegistryFile::Parse(in);
}

const char kSystemReg[] =
    "WINE REGISTRY Version 2\r\n"
    ";; All keys relative to \\\\Machine\r\n"
    "\r\n"
    "#arch=win32\r\n"
    "\r\n"
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\AirCraft 97] 1700000000\r\n"
    "#time=1d9a0b0c0d0e0f0\r\n"
    "\"DisplayName\"=\"AirCraft 97\"\r\n"
    "\"UninstallString\"=\"C:\\\\WINDOWS\\\\unvise.exe /L C:\\\\AC97\\\\INSTALL.LOG\"\r\n"
    "\"Binary\"=hex:01,02,03,\\\r\n"
    "  04,05,\\\r\n"
    "\"Fake\"=\"from a continuation line\"\r\n"
    "\"Count\"=dword:00000003\r\n"
    "\"Expand\"=str(2):\"%SystemRoot%\\\\x\"\r\n"
    "\"Multi\"=str(7):\"a\\0b\\0\"\r\n"
    "\"Escapes\"=\"q\\\"t\\tn\\nx\\x3042y\\101\\x\"\r\n"
    "\"Pair\"=\"\\xd83d\\xde00 \\xd800!\"\r\n"
    "\"Nul\"=\"ab\\0cd\"\r\n"
    "\"Unclosed\"=\"abc\r\n"
    "@=\"default\"\r\n"
    "\r\n"
    "[Software\\\\Classes\\\\CLSID\\\\{1}\\\\LocalServer32] 1700000000\r\n"
    "@=\"C:\\\\MACHINE\\\\A.EXE\"\r\n"
    "\"Other\"=\"machine\"\r\n"
    "[Bad\\\\Key\r\n"
    "\"Lost\"=\"after a bad key line\"\r\n";

TEST(RegistryFile, ReadsStringValues) {
  const RegistryFile file = Parse(kSystemReg);
  static const struct {
    const char* key;
    const char* name;
    const char* expected;  // nullptr: missing
  } cases[] = {
      // Plain strings, key and value names ignoring case, CR LF ends.
      {"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97", "UninstallString",
       "C:\\WINDOWS\\unvise.exe /L C:\\AC97\\INSTALL.LOG"},
      {"SOFTWARE\\microsoft\\WINDOWS\\currentversion\\uninstall\\aircraft 97", "displayname",
       "AirCraft 97"},
      {"\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97\\", "", "default"},
      // Escapes: \" \t \n, \x with four hex digits, octal, a bare \x.
      {"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97", "Escapes",
       "q\"t\tn\nx\xE3\x81\x82yAx"},
      // A surrogate pair joins; a lone surrogate becomes U+FFFD.
      {"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97", "Pair",
       "\xF0\x9F\x98\x80 \xEF\xBF\xBD!"},
      {"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97", "Nul", "ab"},
      {"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97", "Expand",
       "%SystemRoot%\\x"},
      {"Software\\Classes\\CLSID\\{1}\\LocalServer32", "", "C:\\MACHINE\\A.EXE"},
      // Not strings, not closed, not there.
      {"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97", "Binary", nullptr},
      {"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97", "Fake", nullptr},
      {"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97", "Count", nullptr},
      {"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97", "Multi", nullptr},
      {"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97", "Unclosed", nullptr},
      {"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "DisplayName", nullptr},
      {"Bad\\Key", "Lost", nullptr},
      {"Software\\Classes\\CLSID\\{1}\\LocalServer32", "Lost", nullptr},
  };
  for (const auto& c : cases) {
    const auto value = file.ReadString(c.key, c.name);
    if (c.expected)
      EXPECT_EQ(value, std::optional<std::string>(c.expected)) << c.key << " " << c.name;
    else
      EXPECT_FALSE(value) << c.key << " " << c.name << " gave " << *value;
  }
}

TEST(RegistryFile, PassesOverOverlongLines) {
  const RegistryFile file = Parse("[Key] 1\n\"Long\"=\"" + std::string(3 << 20, 'x') +
                                  "\"\n\"Short\"=\"s\"\n\"NoEnd\"=\"" + std::string(2 << 20, 'y'));
  EXPECT_FALSE(file.ReadString("Key", "Long"));
  EXPECT_FALSE(file.ReadString("Key", "NoEnd"));
  EXPECT_EQ(file.ReadString("Key", "Short"), "s");
}

TEST(WineRegistry, ClassesRootIsTheUsersClassesOverTheMachines) {
  testing::TempFolder prefix("tobrel-registry-test");
  prefix.Write("system.reg", kSystemReg);
  prefix.Write("user.reg",
               "WINE REGISTRY Version 2\n"
               "[Software\\\\Classes\\\\CLSID\\\\{1}\\\\LocalServer32] 1\n"
               "@=\"C:\\\\USER\\\\B.EXE\"\n"
               "[Software\\\\Wine] 1\n"
               "\"Version\"=\"win98\"\n");
  const WineRegistry registry(prefix.path());
  EXPECT_EQ(registry.ReadString(RegistryRoot::ClassesRoot, "CLSID\\{1}\\LocalServer32", ""),
            "C:\\USER\\B.EXE");
  EXPECT_EQ(registry.ReadString(RegistryRoot::ClassesRoot, "clsid\\{1}\\localserver32", "Other"),
            "machine");
  EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, "Software\\Wine", "Version"), "win98");
  EXPECT_FALSE(registry.ReadString(RegistryRoot::LocalMachine, "Software\\Wine", "Version"));
  EXPECT_EQ(registry.ReadString(RegistryRoot::LocalMachine,
                                "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97",
                                "DisplayName"),
            "AirCraft 97");

  // No prefix, or a prefix without registry files: nothing is found.
  EXPECT_FALSE(WineRegistry().ReadString(RegistryRoot::ClassesRoot, "CLSID\\{1}\\LocalServer32", ""));
  EXPECT_FALSE(WineRegistry(prefix.path() / "missing")
                   .ReadString(RegistryRoot::LocalMachine, "Software\\Wine", "Version"));
}

// The registry file Wine 8.0 wrote for a 32-bit installer in a 64-bit
// prefix (tests/data/wine/system-wow64-excerpt.reg).
std::string WineSystemReg() {
  std::ifstream in(TOBREL_TEST_DATA "/wine/system-wow64-excerpt.reg", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const char kClsidKey[] = "CLSID\\{5A1D0C2E-7B3F-4E21-9C8A-1F2E3D4C5B6A}\\LocalServer32";

// A 32-bit program's keys stand in the 32-bit view of a 64-bit prefix,
// which it sees first, then the native keys; a 32-bit prefix has none.
TEST(WineRegistry, AThirtyTwoBitProgramSeesItsOwnViewFirst) {
  testing::TempFolder prefix("tobrel-registry-wow64-test");
  const std::string native =
      "[Software\\\\Classes\\\\AirCraft.Application\\\\Clsid] 1\n@=\"{native}\"\n"
      "[Software\\\\Classes\\\\CLSID\\\\{native}\\\\LocalServer32] 1\n@=\"C:\\\\NATIVE\\\\A.EXE\"\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\AirCraft 97] 1\n"
      "\"UninstallString\"=\"native\"\n"
      "[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\AirCraft 97] 1\n"
      "\"UninstallString\"=\"32-bit\"\n";
  prefix.Write("system.reg", WineSystemReg() + native);
  prefix.Write("user.reg",
               "WINE REGISTRY Version 2\n#arch=win64\n"
               "[Software\\\\Classes\\\\Wow6432Node\\\\Only.User] 1\n@=\"user 32-bit\"\n"
               "[Software\\\\Wow6432Node\\\\Shared] 1\n@=\"not redirected\"\n"
               "[Software\\\\Shared] 1\n@=\"shared\"\n");
  const WineRegistry registry(prefix.path());
  constexpr auto k32 = RegistryView::Program32;
  static const struct {
    RegistryRoot root;
    const char* key;
    const char* name;
    RegistryView view;
    const char* expected;
  } cases[] = {
      {RegistryRoot::ClassesRoot, "AirCraft.Application\\Clsid", "", k32,
       "{5A1D0C2E-7B3F-4E21-9C8A-1F2E3D4C5B6A}"},
      {RegistryRoot::ClassesRoot, kClsidKey, "", k32,
       "C:\\Program Files (x86)\\AirCraft 97\\AIRCRAFT.EXE"},
      {RegistryRoot::ClassesRoot, "AirCraft.Application\\Clsid", "", RegistryView::Native,
       "{native}"},
      // Keys only in the native view are still seen.
      {RegistryRoot::ClassesRoot, "CLSID\\{native}\\LocalServer32", "", k32, "C:\\NATIVE\\A.EXE"},
      {RegistryRoot::ClassesRoot, "Only.User", "", k32, "user 32-bit"},
      {RegistryRoot::LocalMachine,
       "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97", "UninstallString",
       k32, "32-bit"},
      {RegistryRoot::LocalMachine,
       "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97", "UninstallString",
       RegistryView::Native, "native"},
      {RegistryRoot::LocalMachine, "Software\\Classes\\AirCraft.Application\\Clsid", "", k32,
       "{5A1D0C2E-7B3F-4E21-9C8A-1F2E3D4C5B6A}"},
      // The user's keys outside Software\Classes are shared by both views.
      {RegistryRoot::CurrentUser, "Software\\Shared", "", k32, "shared"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(registry.ReadString(c.root, c.key, c.name, c.view), std::optional<std::string>(c.expected))
        << c.key;

  // A 32-bit prefix has no 32-bit view: a key named so is just a key.
  prefix.Write("system.reg",
               "WINE REGISTRY Version 2\n#arch=win32\n"
               "[Software\\\\Classes\\\\Wow6432Node\\\\X] 1\n@=\"not a view\"\n"
               "[Software\\\\Classes\\\\X] 1\n@=\"native\"\n");
  EXPECT_EQ(WineRegistry(prefix.path()).ReadString(RegistryRoot::LocalMachine, "Software\\Classes\\X",
                                                   "", k32),
            "native");
}

// Wine links keys of the 32-bit view to native ones ("#link" and a
// "SymbolicLinkValue" in UTF-16): a lookup through a link reads its target.
TEST(RegistryFile, FollowsRegistryLinks) {
  const std::string linked = WineSystemReg() +
                             "\n[Software\\\\Classes\\\\AppId\\\\{9}] 1\n@=\"behind the link\"\n"
                             "[Software\\\\Classes\\\\Wow6432Node\\\\AppId\\\\{9}] 1\n@=\"hidden\"\n"
                             // A link to itself, a link out of the machine's keys.
                             "[Loop] 1\n#link\n\"SymbolicLinkValue\"=hex(6):5c,00,52,00,45,00,47,00,"
                             "49,00,53,00,54,00,52,00,59,00,5c,00,4d,00,41,00,43,00,48,00,49,00,4e,00,"
                             "45,00,5c,00,4c,00,6f,00,6f,00,70,00\n"
                             "[Away] 1\n#link\n\"SymbolicLinkValue\"=hex(6):5c,00,52,00,45,00,47,00,"
                             "49,00,53,00,54,00,52,00,59,00,5c,00,55,00,73,00,65,00,72,00,5c,00,\\\n"
                             "  41,00\n"
                             "[Away\\\\Sub] 1\n@=\"not through the link\"\n";
  const RegistryFile file = Parse(linked);
  EXPECT_EQ(file.ReadString("Software\\Classes\\Wow6432Node\\AppId\\{9}", ""), "behind the link");
  EXPECT_EQ(file.ReadString("software\\classes\\wow6432node\\appid\\{9}", ""), "behind the link");
  EXPECT_FALSE(file.ReadString("Software\\Classes\\Wow6432Node\\AppId", "SymbolicLinkValue"));
  EXPECT_FALSE(file.ReadString("Loop\\X", ""));
  EXPECT_FALSE(file.ReadString("Away\\Sub", ""));
  // The rest of the file reads as before.
  EXPECT_EQ(file.ReadString(std::string("Software\\Classes\\Wow6432Node\\") + kClsidKey, ""),
            "C:\\Program Files (x86)\\AirCraft 97\\AIRCRAFT.EXE");
}

}  // namespace
}  // namespace tobrel
