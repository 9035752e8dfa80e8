#include "platform/path_text.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace tobrel {
namespace {

// "会議室.log" as UTF-8 and as CP932 bytes.
const std::string kUtf8Name = "\xE4\xBC\x9A\xE8\xAD\xB0\xE5\xAE\xA4.log";
const std::string kCp932Name = "\x89\xEF\x8B\x63\x8E\xBA.log";

TEST(PathText, NamesBecomeCp932TextAndUtf8Messages) {
  static const struct {
    std::string native, cp932, utf8;
  } cases[] = {
      {"/logs/a.log", "/logs/a.log", "/logs/a.log"},
      {"/logs/" + kUtf8Name, "/logs/" + kCp932Name, "/logs/" + kUtf8Name},
      // Not UTF-8: the bytes are CP932 already.
      {"/logs/" + kCp932Name, "/logs/" + kCp932Name, "/logs/" + kUtf8Name},
      // Neither UTF-8 nor CP932: kept in the text, U+FFFD in a message.
      {"/logs/\xFF.log", "/logs/\xFF.log", "/logs/\xEF\xBF\xBD.log"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PathToCp932(c.native), c.cp932) << c.utf8;
    EXPECT_EQ(PathToUtf8(c.native), c.utf8) << c.utf8;
  }
}

TEST(PathText, TextReadBackFindsTheNameThatExists) {
  testing::TempFolder folder("tobrel-path-text-test");
  const std::string base = folder.path().string() + "/";
  const std::string text = PathToCp932(base) + kCp932Name;
  // Nothing there: the UTF-8 name, which is how the text was most likely made.
  EXPECT_EQ(PathFromCp932(text), base + kUtf8Name);
  // Only the CP932-named file exists.
  folder.Write(kCp932Name, "x");
  EXPECT_EQ(PathFromCp932(text), base + kCp932Name);
  // Both exist: the UTF-8 name wins.
  folder.Write(kUtf8Name, "x");
  EXPECT_EQ(PathFromCp932(text), base + kUtf8Name);
  // Round trips, and ASCII stays as it is.
  EXPECT_EQ(PathFromCp932(PathToCp932(base + kCp932Name)), base + kUtf8Name);
  EXPECT_EQ(PathFromCp932("/logs/a.log"), "/logs/a.log");
  // A text that does not convert back keeps its bytes.
  EXPECT_EQ(PathFromCp932("/no-such-folder/\xFF.log"), "/no-such-folder/\xFF.log");
}

}  // namespace
}  // namespace tobrel
