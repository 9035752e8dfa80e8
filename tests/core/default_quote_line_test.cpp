// The hand-written test of the default quote pattern must answer as the
// pattern matcher does with that pattern, on lines of every kind; its form
// for log lines, on every line without an LF.
#include "core/default_quote_line.h"

#include <gtest/gtest.h>

#include "regex/line_matcher.h"
#include "regex/quote_pattern.h"
#include "support/sjis.h"

namespace tobrel {
namespace {

using testing::S;

class DefaultQuoteLineTest : public ::testing::Test {
 protected:
  void SetUp() override { matcher_.SetRegExp(kDefaultQuotePattern); }
  TLineMatcher matcher_;
};

TEST_F(DefaultQuoteLineTest, AgreesWithThePatternOnChosenLines) {
  static const struct {
    std::string line;
    bool quoted;
  } cases[] = {
      {"> quoted", true},
      {"   | quoted", true},
      {S("＞引用"), true},
      {S("｜引用"), true},
      {S("》引用"), true},
      {S("〉引用"), true},
      {S("≫引用"), true},
      {S("　＞全角空白の後"), false},
      {"\t> a tab first", false},
      {"text > later", false},
      {"", false},
      {"   ", false},
      {">", true},
      {std::string("> a\0b", 5), false},   // "." does not match NUL
      {"> a\xfc\xfd", false},              // nor a code above 0xFCFC
      {"> a\xfc", true},                   // a lone lead byte at the end is a byte
      {"> a\xfc\xfc", true},
      {"> a\rb", true},                    // "$" matches before a CR
      {"x\n> b", true},                    // "^" matches after an LF
      {"\x82\n> b", false},                // ...but not after a trail byte
      {"> a\nb", false},
      {"\x81", false},
      {"\x81\x84", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsDefaultQuoteLine(c.line), c.quoted) << c.line;
    EXPECT_EQ(matcher_.IsMatch(c.line), c.quoted) << c.line;
    if (c.line.find('\n') == std::string::npos)
      EXPECT_EQ(IsDefaultQuoteLogLine(c.line), c.quoted) << c.line;
  }
}

TEST_F(DefaultQuoteLineTest, AgreesWithThePatternOnRandomLines) {
  std::uint32_t state = 77;
  auto next = [&] {
    state = state * 1103515245u + 12345u;
    return state >> 16;
  };
  static const unsigned char kPool[] = {' ', '>', '|', 'a', 0x81, 0x84, 0x62, 0x74, 0x72,
                                        0xE2, 0xFC, 0xFD, 0x00, '\r', '\n', 0x82, 0x40};
  for (int round = 0; round < 50000; ++round) {
    std::string line(next() % 12, ' ');
    for (char& c : line) c = static_cast<char>(kPool[next() % sizeof kPool]);
    ASSERT_EQ(IsDefaultQuoteLine(line), matcher_.IsMatch(line)) << round << ": " << line;
    if (line.find('\n') == std::string::npos)
      ASSERT_EQ(IsDefaultQuoteLogLine(line), matcher_.IsMatch(line)) << round << ": " << line;
  }
}

}  // namespace
}  // namespace tobrel
