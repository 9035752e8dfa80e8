#include "core/count_chars.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstring>

#include "support/sjis.h"

namespace tobrel {
namespace {

using testing::S;

TEST(CountChars, CountsVisibleCharacters) {
  static const struct {
    std::string line;
    int expected;
  } cases[] = {
      {"ab" + S("　") + "c", 3},   // a full-width blank counts 0
      {S("全角"), 2},
      {S("ﾃｽ"), 2},                 // half-width katakana
      {"    ", 0},
      {"", 0},
      {"a\tb\x1a" "c", 3},         // control bytes count 0
      {"\x81\x3f", 0},              // below the full-width blank
      {"\x81\x41", 1},              // just above it
      {"a\x82", 2},                 // a lone lead byte at the end sorts above "　"
      {"a\x81", 1},                 // ...or below it
      {"\x7f\x80\xa0" "b", 1},     // 0x7F and 0xA0 start pairs: 0x7F 0x80 counts 0, 0xA0 0x62 1
      {std::string("a\0b", 3), 2},
  };
  for (const auto& c : cases) EXPECT_EQ(CountChars(c.line, false), c.expected) << c.line;
}

TEST(CountChars, InterwayLinesCountNothingOnlyWhenAsked) {
  const std::string heading = S("この発言に対するコメント");
  const std::string link = std::string(kInterwayLinkPrefix) + "forum/com.cgi?n=1";
  const std::string other_link = std::string(kInterwayLinkPrefix) + "forum/index.html";
  EXPECT_EQ(CountChars(heading, true), 0);
  EXPECT_EQ(CountChars(heading, false), 12);
  EXPECT_EQ(CountChars(link, true), 0);
  EXPECT_EQ(CountChars(link, false), static_cast<int>(link.size()));
  EXPECT_EQ(CountChars(other_link, true), static_cast<int>(other_link.size()));
  EXPECT_EQ(CountChars(heading + " ", true), 12);
}

}  // namespace
}  // namespace tobrel

namespace tobrel {
namespace {

// The obvious walk, one character at a time, to check the fast count on.
int CountCharsOneByOne(std::string_view line) {
  int count = 0;
  for (std::size_t i = 0; i < line.size();) {
    const unsigned char byte = static_cast<unsigned char>(line[i]);
    if (byte <= 0x20) {
      ++i;
    } else if (byte <= 0x7E || (byte >= 0xA1 && byte <= 0xDF)) {
      ++count;
      ++i;
    } else {
      const std::string_view pair = line.substr(i, 2);
      count += pair > std::string_view("\x81\x40") ? 1 : 0;
      i += pair.size();
    }
  }
  return count;
}

TEST(CountChars, AgreesWithTheCharacterWalkOnRandomLines) {
  std::uint32_t state = 12345;
  auto next = [&] {
    state = state * 1103515245u + 12345u;
    return static_cast<unsigned char>(state >> 16);
  };
  // Bytes drawn mostly from the classes that matter: blanks, ASCII, 0x81,
  // lead bytes, katakana, and runs of pair-starting bytes of both parities.
  static const unsigned char kPool[] = {0x20, 0x41, 0x81, 0x40, 0x82, 0xA0, 0xE0, 0xFC,
                                        0xB1, 0x7F, 0x80, 0x09, 0x3E, 0x9F, 0xDF, 0xFF};
  constexpr std::size_t kPage = 4096;
  // Two pages, the second one unreadable: a look past the line's end faults.
  void* const mapped =
      mmap(nullptr, 2 * kPage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(mapped, MAP_FAILED);
  ASSERT_EQ(mprotect(static_cast<char*>(mapped) + kPage, kPage, PROT_NONE), 0);
  char* const page = static_cast<char*>(mapped);
  for (int round = 0; round < 20000; ++round) {
    std::string line(next() % 160, '\0');
    for (char& c : line)
      c = static_cast<char>(next() % 4 == 0 ? next() : kPool[next() % sizeof kPool]);
    ASSERT_EQ(CountChars(line, false), CountCharsOneByOne(line)) << round;
    // The same line ending right at the end of a readable page.
    std::memcpy(page + kPage - line.size(), line.data(), line.size());
    ASSERT_EQ(CountChars({page + kPage - line.size(), line.size()}, false),
              CountCharsOneByOne(line))
        << round;
  }
  munmap(mapped, 2 * kPage);
}

}  // namespace
}  // namespace tobrel
