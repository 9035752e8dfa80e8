// A log saved as UTF-8 must give the lines of its Shift-JIS original, by
// every way a log is loaded; anything else must stay as its bytes.
#include "core/utf8_log_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/log_line_reader.h"
#include "platform/cp932.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

using testing::S;

TEST(Utf8Check, TellsUtf8TextInPiecesOfAnySize) {
  static const struct {
    const char* name;
    std::string bytes;
    bool utf8;
  } cases[] = {
      {"Japanese", "ログ\r\n発言です", true},
      {"mark and ASCII", "\xEF\xBB\xBF" "ABC", true},
      {"four bytes", "a\xF0\x9F\x98\x80", true},
      {"ASCII only", "00001/00002 ABC12345", false},
      {"empty", "", false},
      {"Shift-JIS", S("ログ\r\n発言です"), false},
      {"Shift-JIS half-width after ASCII", S("abc ﾃｽﾄ"), false},
      {"cut at the end", "ログ\xE7\x99", false},
      {"overlong", "a\xC0\xBE", false},
      {"surrogate", "\xED\xA0\x80", false},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false},
      {"stray continuation", "ab\x80", false},
      {"binary", std::string("\x00\x01\xFE\xFF\x10", 5), false},
  };
  for (const auto& c : cases) {
    for (std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{1000}}) {
      Utf8Check check;
      for (std::size_t at = 0; at < c.bytes.size(); at += piece)
        check.Feed(c.bytes.data() + at, std::min(piece, c.bytes.size() - at));
      EXPECT_EQ(check.IsUtf8Text(), c.utf8) << c.name << ", pieces of " << piece;
    }
  }
}

class Utf8LogTest : public ::testing::Test {
 protected:
  // Every way of loading `bytes`: the reader counted and not, in small and
  // large blocks, and the whole-file loader.
  void ExpectLinesOf(const std::string& bytes, const std::vector<std::string>& expected,
                     Utf8Conversion expected_conversion) {
    const std::string path = folder_.Write("log.txt", bytes);
    for (bool counted : {true, false}) {
      for (std::size_t block : {std::size_t{1}, std::size_t{5}, LogLineReader::kDefaultBlockSize}) {
        LogLineReader reader(path, kFifoWriterWait, block, counted);
        std::vector<std::string> lines;
        std::string_view line;
        while (reader.Next(line)) lines.emplace_back(line);
        EXPECT_EQ(lines, expected) << "counted " << counted << ", block " << block;
        if (counted) {
          EXPECT_EQ(reader.size(), expected.size());
        }
        EXPECT_EQ(reader.conversion().converted, expected_conversion.converted);
        EXPECT_EQ(reader.conversion().unmapped, expected_conversion.unmapped);
      }
    }
    LogLines loaded;
    const Utf8Conversion conversion = LoadLogLinesAsCp932(path, loaded);
    EXPECT_EQ(conversion.converted, expected_conversion.converted);
    ASSERT_EQ(loaded.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(loaded[i], expected[i]);
  }

  testing::TempFolder folder_{"tobrel-utf8-log"};
};

TEST_F(Utf8LogTest, Utf8WithAndWithoutMarkGivesTheShiftJisLines) {
  const std::vector<std::string> sjis = {S("00001/00002 ABC12345  ﾊﾝﾄﾞﾙ  題名"), S("本文～です"),
                                         "", S("①ⅱ")};
  const std::string utf8 = "00001/00002 ABC12345  ﾊﾝﾄﾞﾙ  題名\r\n本文～です\r\n\r\n①ⅱ";
  ExpectLinesOf(utf8, sjis, {true, 0});
  ExpectLinesOf("\xEF\xBB\xBF" + utf8, sjis, {true, 0});
  // A wave dash as a JIS-minded converter writes it is the same character.
  ExpectLinesOf("\xE3\x80\x9C\n", {S("～")}, {true, 0});
}

TEST_F(Utf8LogTest, CharactersWithoutShiftJisFormBecomeQuestionMarks) {
  // The "?" of the text itself is no replacement.
  ExpectLinesOf("絵文字\xF0\x9F\x98\x80?\r\n한\n", {S("絵文字??"), "?"}, {true, 2});
}

// The conversion keeps what it learnt of each character; its result must be
// the converter's for every character there is, and for each one again.
TEST_F(Utf8LogTest, ConversionIsTheConvertersForEveryCharacter) {
  std::string text = "\xF0\x9F\x98\x80 ";
  for (char32_t code = 0x80; code <= 0xFFFF; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    char utf8[3];
    if (code < 0x800) {
      text.append({static_cast<char>(0xC0 | code >> 6), static_cast<char>(0x80 | (code & 0x3F))});
    } else {
      utf8[0] = static_cast<char>(0xE0 | code >> 12);
      utf8[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      utf8[2] = static_cast<char>(0x80 | (code & 0x3F));
      text.append(utf8, 3);
    }
  }
  text += text;
  const std::string expected = cp932::FromUtf8(text);
  const std::string path = folder_.Write("all.txt", text);
  LogLines lines;
  const Utf8Conversion conversion = LoadLogLinesAsCp932(path, lines);
  EXPECT_TRUE(lines.text() == expected);
  EXPECT_EQ(conversion.unmapped,
            static_cast<std::size_t>(std::count(expected.begin(), expected.end(), '?')));
}

TEST_F(Utf8LogTest, OtherFilesStayAsTheirBytes) {
  ExpectLinesOf(S("ログ\r\n本文"), {S("ログ"), S("本文")}, {false, 0});
  ExpectLinesOf("plain\nASCII", {"plain", "ASCII"}, {false, 0});
  ExpectLinesOf("", {}, {false, 0});
  // UTF-8 up to a byte that is not: all of it stays bytes.
  ExpectLinesOf("ログ\n\xFF", {"ログ", "\xFF"}, {false, 0});
}

}  // namespace
}  // namespace tobrel
