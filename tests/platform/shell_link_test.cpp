#include <gtest/gtest.h>

#include <fstream>

#include "platform/cp932.h"
#include "platform/shell_link.h"
#include "support/sjis.h"
#include "support/wine_prefix.h"

namespace tobrel {
namespace {

using testing::ShellLinkBytes;
using testing::ShellLinkLayout;

TEST(ShellLink, ReadsTheLocalPath) {
  static const struct {
    const char* what;
    ShellLinkLayout layout;
    const char* expected;
  } cases[] = {
      {"ANSI path after an item ID list", {.base_path = "C:\\AC97\\AirCraft.exe"},
       "C:\\AC97\\AirCraft.exe"},
      {"no item ID list", {.base_path = "C:\\AC97\\AirCraft.exe", .id_list = false}, "C:\\AC97\\AirCraft.exe"},
      {"base path and suffix", {.base_path = "C:\\AC97\\", .suffix = "AirCraft.exe"},
       "C:\\AC97\\AirCraft.exe"},
      {"the Unicode path wins", {.base_path = "C:\\ANSI\\A.exe",
        .unicode_paths = true,
        .unicode_base_path = "C:\\WIDE\\A.exe"},
       "C:\\WIDE\\A.exe"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReadShellLinkTarget(ShellLinkBytes(c.layout)), std::optional<std::string>(c.expected))
        << c.what;

  // An ANSI path is code page 932.
  const ShellLinkLayout japanese{.base_path = testing::S("C:\\ｴｱｸﾗﾌﾄ\\表\\AirCraft.exe")};
  EXPECT_EQ(ReadShellLinkTarget(ShellLinkBytes(japanese)), "C:\\ｴｱｸﾗﾌﾄ\\表\\AirCraft.exe");
}

// Shortcuts that Wine 8.0 wrote (tests/data/wine): the ASCII one, and one
// whose folder names are Shift-JIS, among them a second byte 0x5C ("表").
TEST(ShellLink, ReadsShortcutsWineWrote) {
  auto read = [](const char* name) {
    std::ifstream in(std::string(TOBREL_TEST_DATA "/wine/") + name, std::ios::binary);
    return ReadShellLinkTarget(std::string(std::istreambuf_iterator<char>(in), {}));
  };
  EXPECT_EQ(read("shortcut-ascii.lnk"), "C:\\Program Files (x86)\\AirCraft 97\\AirCraft.exe");
  const auto japanese = read("shortcut-japanese.lnk");
  ASSERT_TRUE(japanese);
  EXPECT_EQ(cp932::FromUtf8(*japanese),
            testing::S("C:\\Program Files (x86)\\エアクラフト ９７表\\AirCraft.exe"));
}

TEST(ShellLink, GivesNothingForWhatIsNoLocalLink) {
  const std::string good = ShellLinkBytes({.base_path = "C:\\AC97\\AirCraft.exe"});
  // Every truncation: the path is at the end of LinkInfo, so none holds it whole.
  for (std::size_t size = 0; size + 4 < good.size(); ++size)
    EXPECT_FALSE(ReadShellLinkTarget(good.substr(0, size))) << size;

  auto patched = [&](std::size_t pos, std::string_view bytes) {
    std::string copy = good;
    copy.replace(pos, bytes.size(), bytes);
    return copy;
  };
  const std::size_t info = 0x4C + 2 + 22;  // after the header and the item ID list
  static const struct {
    const char* what;
    std::string bytes;
  } bad[] = {
      {"empty", ""},
      {"another kind of file", std::string(200, 'x')},
      {"wrong header size", patched(0, std::string("\x4D\0\0\0", 4))},
      {"wrong class", patched(4, "\x02")},
      {"no LinkInfo flag", patched(20, std::string("\x01\0\0\0", 4))},
      {"ForceNoLinkInfo", patched(20, std::string("\x03\x01\0\0", 4))},
      {"item ID list past the end", patched(0x4C, "\xFF\xFF")},
      {"LinkInfo size past the end", patched(info, "\xFF\xFF")},
      {"LinkInfo header size too small", patched(info + 4, std::string("\x10\0\0\0", 4))},
      {"no local path flag", patched(info + 8, std::string("\0\0\0\0", 4))},
      {"base path offset past LinkInfo", patched(info + 0x10, "\xF0\x0F")},
      {"base path offset inside the header", patched(info + 0x10, std::string("\x04\0\0\0", 4))},
      {"a network share", ShellLinkBytes({.suffix = "DIR\\A.EXE", .network = true})},
  };
  for (const auto& c : bad) EXPECT_FALSE(ReadShellLinkTarget(c.bytes)) << c.what;
}

}  // namespace
}  // namespace tobrel
