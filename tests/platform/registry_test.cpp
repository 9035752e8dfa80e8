#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tobrel
