#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/log_lines.h"
#include "output/process_run.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

using testing::S;

// A small log with every case the processing looks at: a room header before
// and inside the postings, trailing blanks and control codes, delimiters, an
// EOF code and a TAB, a poster-deleted and an operator-deleted posting, a
// three-digit header, a header without its sub-header line, a sub-header
// line with an old count, and a header on the last line.
const std::vector<std::string>& InputLines() {
  static const std::vector<std::string> lines = {
      "- FORUM  MES( 1):Room one  96/01/05 -",
      "noise before the first posting",
      "00001/00003 ABC01234  taro             Hello",
      "( 1)   96/01/05 10:00",
      "body one  \t",
      "a  \b\b",
      "x\x1Ay\tz",
      " \b",
      S("00002/00003 DEF05678  jiro             発言者削除"),
      S("( 1)   96/01/06 11:00  00001へのコメント"),
      "- FORUM  MES( 1):Room one  96/01/06 -",
      "X\b" + std::string(23, '-'),
      " \b",
      "003/003   ********  sysop            Gone",
      S("( 1)   96/01/07 12:00  00001へのコメント"),
      "third",
      "00004/00004 ABC01234  taro             Dropped",
      "not a sub-header line",
      "orphan body line",
      "00005/00005 ABC01234  taro             Last",
      S("( 1)   96/01/08 13:00  00002へのコメント  コメント数：9"),
      "end",
      "00006/00006 ABC01234  taro             Header on the last line",
  };
  return lines;
}

// What the log gives with no option on, one line each.
std::vector<std::string> Unchanged() {
  const auto& in = InputLines();
  std::vector<std::string> out = {"- FORUM  MES( 1):Room one  26/12/10 -"};
  for (int i : {2, 3, 4, 5, 6, 7, 8, 9, 10}) out.push_back(in[i]);
  out.push_back("");  // the "X" backspace line
  for (int i : {12, 13, 14, 15, 19, 20, 21}) out.push_back(in[i]);
  return out;
}

// `line` with `text` written over it from byte `pos`.
std::string With(const std::string& line, std::size_t pos, const std::string& text) {
  return line.substr(0, pos) + text + line.substr(pos + text.size());
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

class ProcessedLogTest : public ::testing::Test {
 protected:
  std::string Process(const ProcessSettings& settings) {
    const std::string path = folder_.Write("in.log", Join(InputLines()));
    LogLines lines;
    LoadLogLines(path, lines);
    std::vector<ArticleRec> recount_list;
    TallyProgress progress;
    return ProcessLogLines(settings, lines, recount_list, *EncodeDateTime({2026, 12, 10, 9, 0, 0}),
                           progress);
  }

  testing::TempFolder folder_{"tobrel-processed-log-test"};
};

DateTime LogDay(int y, int m, int d) { return *EncodeDateTime({y, m, d, 0, 0, 0}); }

TEST_F(ProcessedLogTest, EachSwitchAndCombinations) {
  // Lines of Unchanged(): 0 leading, 1-6 posting 1, 7-11 posting 2,
  // 12-14 posting 3 (three digits), 15-17 posting 5.
  static const struct {
    const char* name;
    std::function<void(ProcessSettings&)> set;
    std::function<void(std::vector<std::string>&)> expect;
  } cases[] = {
      {"nothing on", [](ProcessSettings&) {}, [](std::vector<std::string>&) {}},
      {"align 00100",
       [](ProcessSettings& s) { s.align = true; s.align_number = "00100"; },
       [](std::vector<std::string>& e) {
         e[1] = With(e[1], 6, "00100");
         e[7] = With(e[7], 6, "00100");
         e[12] = With(e[12], 4, "100");
         e[15] = With(e[15], 6, "00100");
       }},
      {"align 01000: three digits get 999",
       [](ProcessSettings& s) { s.align = true; s.align_number = "01000"; },
       [](std::vector<std::string>& e) {
         e[1] = With(e[1], 6, "01000");
         e[7] = With(e[7], 6, "01000");
         e[12] = With(e[12], 4, "999");
         e[15] = With(e[15], 6, "01000");
       }},
      {"trailing blanks and control codes",
       [](ProcessSettings& s) { s.strip_trailing = true; },
       [](std::vector<std::string>& e) { e[3] = std::string("body one"); e[4] = std::string("a"); e[6] = std::string(""); e[11] = std::string(""); }},
      {"EOF codes", [](ProcessSettings& s) { s.strip_eof = true; },
       [](std::vector<std::string>& e) { e[5] = std::string("xy\tz"); }},
      {"TAB codes", [](ProcessSettings& s) { s.strip_tabs = true; },
       [](std::vector<std::string>& e) { e[3] = std::string("body one  "); e[5] = std::string("x\x1Ayz"); }},
      {"delimiters, searched again from the start",
       [](ProcessSettings& s) { s.strip_delimiters = true; },
       [](std::vector<std::string>& e) { e[4] = std::string("a"); e[6] = std::string(""); e[11] = std::string(""); }},
      {"recount",
       [](ProcessSettings& s) { s.recount = true; },
       [](std::vector<std::string>& e) {
         e[2] += std::string(21, ' ') + S("コメント数：2");
         e[8] += S("  コメント数：1");
         e[16] = e[16].substr(0, 40);  // the old count goes: no comment left
       }},
      {"deleted postings left out", [](ProcessSettings& s) { s.drop_deleted = true; },
       [](std::vector<std::string>& e) { e.erase(e.begin() + 7, e.begin() + 15); }},
      {"room headers left out", [](ProcessSettings& s) { s.drop_room_headers = true; },
       [](std::vector<std::string>& e) { e.erase(e.begin() + 9); }},
      {"numbers 2 to 3",
       [](ProcessSettings& s) { s.first_number = "00002"; s.last_number = "00003"; },
       [](std::vector<std::string>& e) { e.erase(e.begin() + 15, e.end()); e.erase(e.begin() + 1, e.begin() + 7); }},
      {"dates 96/01/06 to 96/01/07, the last day whole",
       [](ProcessSettings& s) {
         s.range = ProcessRangeKind::ByDate;
         s.first_date = LogDay(1996, 1, 6);
         s.last_date = LogDay(1996, 1, 7);
       },
       [](std::vector<std::string>& e) { e.erase(e.begin() + 15, e.end()); e.erase(e.begin() + 1, e.begin() + 7); }},
      {"everything on",
       [](ProcessSettings& s) {
         s.align = true;
         s.align_number = "00042";
         s.strip_trailing = s.strip_eof = s.strip_tabs = s.strip_delimiters = true;
         s.recount = s.drop_deleted = s.drop_room_headers = true;
       },
       [](std::vector<std::string>& e) {
         e = {e[0],
              "00001/00042 ABC01234  taro             Hello",
              e[2] + std::string(21, ' ') + S("コメント数：2"),
              "body one", "a", "xyz", "",
              "00005/00042 ABC01234  taro             Last",
              e[16].substr(0, 40), "end"};
       }},
  };
  for (const auto& c : cases) {
    ProcessSettings settings = DefaultProcessSettings(LogDay(2026, 12, 10));
    c.set(settings);
    std::vector<std::string> expected = Unchanged();
    c.expect(expected);
    EXPECT_EQ(Process(settings), Join(expected)) << c.name;
  }
}

TEST(LeadingRoomHeader, ShortFormAnywhereLongFormOnlyFirst) {
  static const struct {
    std::vector<std::string> lines;
    std::string expected;
  } cases[] = {
      {{"x", "- F  MES( 2):Room two     96/01/05 -"}, "- F  MES( 2):Room two     26/12/10 -"},
      {{"- F  MES( 2):Room two   1996/01/05 -"}, "- F  MES( 2):Room two   2026/12/10 -"},
      {{"x", "- F  MES( 2):Room two   1996/01/05 -"}, ""},
      {{"no header"}, ""},
  };
  testing::TempFolder folder("tobrel-leading-room-header-test");
  for (const auto& c : cases) {
    LogLines lines;
    LoadLogLines(folder.Write("log", Join(c.lines)), lines);
    EXPECT_EQ(LeadingRoomHeader(lines, LogDay(2026, 12, 10)), c.expected) << c.lines.back();
  }
}

}  // namespace
}  // namespace tobrel
