#include "platform/preview_lines.h"

#include <gtest/gtest.h>

#include "support/sjis.h"

namespace tobrel {
namespace {

using testing::S;

TEST(PreviewLines, Cases) {
  static const struct {
    const char* name;
    std::string bytes;
    int max_lines;
    std::string expected;
  } cases[] = {
      // Line ends.
      {"CR LF, LF and CR", "a\r\nb\nc\rd", 40, "a\nb\nc\nd"},
      {"empty lines kept", "a\n\r\n\rb", 40, "a\n\n\nb"},
      {"line ends after the last text add nothing", "a\r\n\r\n\n", 40, "a"},
      {"only line ends", "\r\n\r\n", 40, ""},
      {"empty", "", 40, ""},
      // Counting lines.
      {"first lines only", "1\r\n2\r\n3\r\n4\r\n", 2, "1\n2"},
      {"empty lines count", "\n\n\nx", 3, ""},
      {"no lines", "abc", 0, ""},
      // Control bytes.
      {"controls as blanks, tab kept", std::string("a\x01" "b\tc\x1a\0d", 8), 40, "a b\tc  d"},
      // Double-byte characters.
      {"Shift-JIS kept", S("会議室\r\n発言"), 40, S("会議室\n発言")},
      {"trail bytes that look like ASCII", S("ソ表"), 40, S("ソ表")},
      {"a lead byte cut off at the end", S("ab会").substr(0, 3), 40, "ab"},
      {"a cut lead byte after line ends", "ab\r\n\x83", 40, "ab"},
      {"a lead byte before a line end stands alone", "\x83\r\nx", 40, "\x83\nx"},
      {"a lead byte before a control byte", std::string("\x83\x01y", 3), 40, "\x83 y"},
  };
  for (const auto& c : cases) EXPECT_EQ(PreviewLines(c.bytes, c.max_lines), c.expected) << c.name;
}

}  // namespace
}  // namespace tobrel
