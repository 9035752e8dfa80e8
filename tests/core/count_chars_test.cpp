#include "core/count_chars.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstring>

#include "support/sjis.h"

namespace tobrel {
namespace {

using testing::S;

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

// Every way of counting is checked on every machine; a way the processor
// cannot take is skipped, and says so.
class CountCharsByPath : public ::testing::TestWithParam<CountPath> {
 protected:
  void SetUp() override {
    if (!CanCount(GetParam())) GTEST_SKIP() << "this processor or build cannot count this way";
  }
  std::int64_t Count(std::string_view line, bool exclude_interway = false) const {
    return CountCharsBy(GetParam(), line, exclude_interway);
  }
};

TEST_P(CountCharsByPath, CountsVisibleCharacters) {
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
  for (const auto& c : cases) EXPECT_EQ(Count(c.line), c.expected) << c.line;
}

TEST_P(CountCharsByPath, InterwayLinesCountNothingOnlyWhenAsked) {
  const std::string heading = S("この発言に対するコメント");
  const std::string link = std::string(kInterwayLinkPrefix) + "forum/com.cgi?n=1";
  const std::string other_link = std::string(kInterwayLinkPrefix) + "forum/index.html";
  EXPECT_EQ(Count(heading, true), 0);
  EXPECT_EQ(Count(heading, false), 12);
  EXPECT_EQ(Count(link, true), 0);
  EXPECT_EQ(Count(link, false), static_cast<int>(link.size()));
  EXPECT_EQ(Count(other_link, true), static_cast<int>(other_link.size()));
  EXPECT_EQ(Count(heading + " ", true), 12);
}

TEST_P(CountCharsByPath, AgreesWithTheCharacterWalkOnRandomLines) {
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
    ASSERT_EQ(Count(line), CountCharsOneByOne(line)) << round;
    // The same line ending right at the end of a readable page.
    std::memcpy(page + kPage - line.size(), line.data(), line.size());
    ASSERT_EQ(Count({page + kPage - line.size(), line.size()}),
              CountCharsOneByOne(line))
        << round;
  }
  munmap(mapped, 2 * kPage);
}

// Lines where one chunk of 16 or 32 bytes ends inside a pair, or a lead
// byte is the line's last: each lead byte (and the full-width blank's
// neighbours) at every place around the chunk edges, in lines of every
// length up to three wide chunks, after runs of lead bytes of both parities.
TEST_P(CountCharsByPath, PairsAcrossChunkEdgesAndLeadBytesAtTheEnd) {
  static const unsigned char kLeads[] = {0x81, 0x82, 0x7F, 0x80, 0xA0, 0xE0, 0xFC, 0xFF};
  static const unsigned char kSeconds[] = {0x40, 0x41, 0x3F, 0x81, 0xA1, 0x00};
  for (std::size_t size = 1; size <= 97; ++size)
    for (std::size_t at = 0; at < size; ++at) {
      const bool near_chunk_edge = (at + 2) % 16 < 4, near_end = at + 3 >= size;
      if (!near_chunk_edge && !near_end) continue;
      for (const std::size_t run : {0, 1, 2})
        for (const unsigned char lead : kLeads)
          for (const unsigned char second : kSeconds) {
            std::string line(size, 'a');
            for (std::size_t r = 1; r <= run && r <= at; ++r) line[at - r] = '\x88';
            line[at] = static_cast<char>(lead);
            if (at + 1 < size) line[at + 1] = static_cast<char>(second);
            ASSERT_EQ(Count(line), CountCharsOneByOne(line))
                << "size " << size << " at " << at << " run " << run << " lead " << int{lead};
          }
    }
}

// Every byte value as a line of its own, before and after every other one,
// and in a run as long as three wide chunks.
TEST_P(CountCharsByPath, EveryByteValueAndPairOfThem) {
  for (unsigned first = 0; first < 256; ++first) {
    const std::string alone(1, static_cast<char>(first));
    ASSERT_EQ(Count(alone), CountCharsOneByOne(alone)) << first;
    const std::string run(96, static_cast<char>(first));
    ASSERT_EQ(Count(run), CountCharsOneByOne(run)) << first;
    for (unsigned second = 0; second < 256; ++second) {
      const std::string pair{static_cast<char>(first), static_cast<char>(second)};
      ASSERT_EQ(Count(pair), CountCharsOneByOne(pair)) << first << " " << second;
      // The pair straddling the edge of the first wide chunk.
      const std::string straddling = std::string(31, 'a') + pair + std::string(8, 'a');
      ASSERT_EQ(Count(straddling), CountCharsOneByOne(straddling)) << first << " " << second;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryWay, CountCharsByPath,
                         ::testing::Values(CountPath::Portable, CountPath::Bytes16,
                                           CountPath::Bytes32),
                         [](const ::testing::TestParamInfo<CountPath>& info) {
                           switch (info.param) {
                             case CountPath::Portable:
                               return "Portable";
                             case CountPath::Bytes16:
                               return "Bytes16";
                             case CountPath::Bytes32:
                               return "Bytes32";
                           }
                           return "Unknown";
                         });

// The count a run takes is the widest one this processor can take.
TEST(CountChars, TakesTheWidestWayThisProcessorHas) {
  const std::string line = S("全角　ﾃｽ") + "ab\x81";
  for (const CountPath path : {CountPath::Portable, CountPath::Bytes16, CountPath::Bytes32})
    if (CanCount(path)) {
      EXPECT_EQ(CountChars(line, false), CountCharsBy(path, line, false));
    }
  EXPECT_TRUE(CanCount(CountPath::Portable));
}

}  // namespace
}  // namespace tobrel
