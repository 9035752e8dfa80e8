#include "core/log_line_recognizers.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <string_view>

#include "platform/cp932.h"
#include "support/sjis.h"

namespace tobrel {
namespace {

using testing::S;

TEST(Recognizers, RoomHeaderLines) {
  static const struct {
    const char* line;
    bool short_year, long_year;
  } cases[] = {
      {"- FORUM  MES( 5):雑談会議室        97/05/12 -", true, false},
      {"- FORUM  MES( 5):雑談会議室        1997/05/12 -", false, true},
      {"- FORUM  MES( 5):雑談会議室        97/05/12-", false, false},   // no blank before "-"
      {"- FORUM  MES( 5) 雑談会議室        97/05/12 -", false, false},  // no "):"
      {"-FORUM  MES( 5):雑談会議室         97/05/12 -", false, false},  // no blank in column 2
      {"- MES(5): 97/05/12 -", false, false},                          // shorter than 28
      {"- FORUM  MES( 5):雑談会議室        97/0a/12 -", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsRoomHeaderLine(S(c.line)), c.short_year) << c.line;
    EXPECT_EQ(IsRoomHeaderLineLong(S(c.line)), c.long_year) << c.line;
  }
}

TEST(Recognizers, PostingHeaders) {
  static const struct {
    const char* line;
    bool five, three;
  } cases[] = {
      {"00123/00456 ABC01234  ハンドル         タイトル", true, false},
      {"00123/00456 ********  ハンドル         タイトル", true, false},
      {"00123/00456 abc01234  ハンドル         タイトル", false, false},  // lower case ID
      {"00123/00456 ABC0123X  ハンドル         タイトル", false, false},
      {"00123/00456 ABC01234 ハンドル          タイトル", false, false},  // one blank after ID
      {"00123/00456 ABC01234  ハンドル", false, false},                  // shorter than 40
      {"123/456   ABC01234  ハンドル         タイトル", false, true},
      {"123/456   ***** **  ハンドル         タイトル", false, false},
      {"123/456  ABC01234   ハンドル         タイトル", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsPostingHeader5(S(c.line)), c.five) << c.line;
    EXPECT_EQ(IsPostingHeader3(S(c.line)), c.three) << c.line;
  }
}

TEST(Recognizers, PostingHeaderFields) {
  static const struct {
    bool five;
    const char* line;
    const char *number, *id, *handle, *title;
  } cases[] = {
      {true, "00123/00456 ABC01234  ハンドル         タイトル", "00123", "ABC01234", "ハンドル",
       "タイトル"},
      // The title starts in column 39.
      {true, "00123/00456 ABC01234  ハンドル        タイトル", "00123", "ABC01234", "ハンドル",
       "タイトル"},
      // A handle running past column 38 ends up at the head of the title.
      {true, "00007/00009 ABC01234  ながいながいハンドル タイトル", "00007", "ABC01234",
       "ながいながいハン", "ながいながいハンドル タイトル"},
      {false, "123/456   ABC01234  ハンドル         タイトル", "123", "ABC01234", "ハンドル",
       "タイトル"},
      {false, "123/456   ABC01234  ハンドル        タイトル", "123", "ABC01234", "ハンドル",
       "タイトル"},
  };
  for (const auto& c : cases) {
    const std::string line = S(c.line);
    const PostingHeaderFields f = c.five ? ParsePostingHeader5(line) : ParsePostingHeader3(line);
    EXPECT_EQ(f.number, c.number) << c.line;
    EXPECT_EQ(f.id, c.id) << c.line;
    EXPECT_EQ(f.handle, S(c.handle)) << c.line;
    EXPECT_EQ(f.title, S(c.title)) << c.line;
  }
}

TEST(Recognizers, SubHeaderFields) {
  static const struct {
    const char* line;
    bool valid;
    const char* date_time;
    int room;
    const char* comment_to;
    int comment_count;
  } cases[] = {
      {"( 5)   97/05/12 23:45  00120へのコメント", true, "97/05/12 23:45:00", 5, "00120", 0},
      {"(12)   01/01/02 03:04", true, "01/01/02 03:04:00", 12, "", 0},
      {"(12)   01/01/02 03:04  00007へのコメント コメント数：  3", true, "01/01/02 03:04:00", 12,
       "00007", 3},
      {"(12)   01/01/02 03:04                   コメント数：12", true, "01/01/02 03:04:00", 12,
       "", 12},
      {"(12)   01/01/02 03:04                   コメント数：xx", true, "01/01/02 03:04:00", 12,
       "", 0},
      {"(12)   01/01/02 03:04  コメント数：3", true, "01/01/02 03:04:00", 12, "", 0},  // < 44
      {"(12)   01/01/02 03:04  abcへのコメント", true, "01/01/02 03:04:00", 12, "abc", 0},
      {"(x2)   01/01/02 03:04", false, "", 0, "", 0},
      {"(12)   01/01/02 03:0", false, "", 0, "", 0},
      {"(12)  01/01/02 03:04 ", false, "", 0, "", 0},
  };
  for (const auto& c : cases) {
    const std::string line = S(c.line);
    EXPECT_EQ(IsSubHeaderLine(line), c.valid) << c.line;
    EXPECT_EQ(SubHeaderDateTime(line), c.date_time) << c.line;
    if (c.valid) EXPECT_EQ(SubHeaderRoom(line), c.room) << c.line;
    EXPECT_EQ(SubHeaderCommentTo(line), S(c.comment_to)) << c.line;
    EXPECT_EQ(SubHeaderCommentCount(line), c.comment_count) << c.line;
  }
}

// The marks of a sub-header count only where a character starts, as
// cp932::FindAligned finds them: checked against it on lines made of marks,
// pieces of them, bytes that start two-byte characters, and digits, behind
// the fixed columns or behind more of the same.
TEST(Recognizers, SubHeaderMarksWhereTheAlignedSearchFindsThem) {
  const std::string mark = S("へのコメント"), colon = S("：");
  const std::string pieces[] = {
      mark, colon, mark.substr(0, 2), mark.substr(1), "\x82", "\x88", "\x81", "\xd6", "\x46",
      " ",  "12"};
  std::mt19937 random(11);
  auto piece = [&] { return pieces[random() % std::size(pieces)]; };
  for (int round = 0; round < 3000; ++round) {
    std::string line = "(12)   01/01/02 03:04";
    if (round % 4 == 3)
      for (line.clear(); line.size() < 21;) line += piece();
    for (int n = static_cast<int>(random() % 16); n > 0; --n) line += piece();

    const std::size_t mark_at = cp932::FindAligned(line, mark);
    const std::string to = line.size() < 25 || mark_at == std::string::npos || mark_at < 23
                               ? ""
                               : line.substr(23, mark_at - 23);
    EXPECT_EQ(SubHeaderCommentTo(line), to) << round;
    const std::size_t colon_at = cp932::FindAligned(line, colon);
    const std::int32_t count = line.size() < 44 || colon_at == std::string::npos
                                   ? 0
                                   : ParseDecimal(line.substr(colon_at + 2)).value_or(0);
    EXPECT_EQ(SubHeaderCommentCount(line), count) << round;
  }
}

TEST(Recognizers, DelimiterAndSkippedLines) {
  EXPECT_TRUE(IsDelimiterLine(" \b"));
  EXPECT_TRUE(IsDelimiterLine(" \bmore"));
  EXPECT_FALSE(IsDelimiterLine(" "));
  EXPECT_FALSE(IsDelimiterLine("\b "));
  EXPECT_TRUE(IsSkippedLine("X\b!!text"));
  EXPECT_FALSE(IsSkippedLine("X\b!"));
  EXPECT_FALSE(IsSkippedLine("x\b!!"));
}

TEST(Recognizers, ParseDecimal) {
  static const struct {
    const char* text;
    std::optional<std::int32_t> value;
  } cases[] = {
      {"00120", 120}, {"  7", 7}, {"-5", -5}, {"+5", 5}, {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1}, {"2147483648", std::nullopt}, {"", std::nullopt},
      {"  ", std::nullopt}, {"12 ", std::nullopt}, {"1a", std::nullopt}, {"-", std::nullopt},
      {"99999999999999999999", std::nullopt}, {"999999999", 999999999}, {"0", 0},
      {"1234567890", 1234567890}, {"12345678/", std::nullopt}, {":", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseDecimal(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace tobrel
