#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <sstream>

#include "core/log_line_recognizers.h"
#include "core/read_run.h"
#include "output/log_information.h"
#include "output/process_inputs.h"
#include "output/process_run.h"
#include "support/file_bytes.h"
#include "support/sjis.h"
#include "support/temp_folder.h"
#include "tools/log_generator.h"

namespace tobrel {
namespace {

using testing::S;

DateTime Day(int y, int m, int d) { return *EncodeDateTime({y, m, d, 0, 0, 0}); }

using testing::ReadAll;

TEST(ProcessSettings, NumberFieldsOnLeaving) {
  static const struct {
    const char* text;
    ProcessNumberField field;
    const char* expected;
  } cases[] = {
      {"00042", ProcessNumberField::First, "00042"},
      {"42", ProcessNumberField::First, "00042"},
      {"42   ", ProcessNumberField::Last, "00042"},  // typed at the left
      {"4 2  ", ProcessNumberField::Last, "00402"},
      {"0", ProcessNumberField::Last, "65000"},
      {"     ", ProcessNumberField::First, "00001"},
      {"65001", ProcessNumberField::Align, "65000"},
      {"65000", ProcessNumberField::First, "65000"},
      {"1x", ProcessNumberField::First, "00001"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NormalizeProcessNumber(c.text, c.field), c.expected) << '"' << c.text << '"';
}

TEST(ProcessSettings, RangeDisplayAndControls) {
  ProcessSettings s = DefaultProcessSettings(Day(2026, 12, 10) + 0.25);
  EXPECT_EQ(ProcessRangeDisplay(s), S("#00001 ～ #65000"));
  EXPECT_TRUE(ProcessControlsFor(s).number_fields && !ProcessControlsFor(s).date_pickers);
  EXPECT_FALSE(ProcessControlsFor(s).align_number);
  s.range = ProcessRangeKind::ByDate;
  s.first_date = Day(1999, 3, 4);
  EXPECT_EQ(ProcessRangeDisplay(s), S("99/03/04 ～ 26/12/10"));
  EXPECT_TRUE(!ProcessControlsFor(s).number_fields && ProcessControlsFor(s).date_pickers);
}

TEST(ProcessInputs, SortedIgnoringCaseAndAddedOnce) {
  std::vector<std::string> list = ProcessInputList({"/b/x.log", "/B/a.log", "/a/z.log"});
  EXPECT_EQ(list, (std::vector<std::string>{"/a/z.log", "/B/a.log", "/b/x.log"}));
  EXPECT_EQ(AddProcessInput(list, "/A/Z.LOG"), 0u);
  EXPECT_EQ(AddProcessInput(list, "/a/m.log"), 0u);
  EXPECT_EQ(list, (std::vector<std::string>{"/a/m.log", "/a/z.log", "/B/a.log", "/b/x.log"}));
}

TEST(ProcessRun, AccountLines) {
  ProcessSettings s = DefaultProcessSettings(Day(2026, 12, 10));
  s.input = "/in/ろぐ.log";
  s.output = "/out.log";
  EXPECT_EQ(ProcessAccountLines(s),
            (std::vector<std::string>{S("/in/ろぐ.log を"), S("/out.logに"), S("  番号指定：#00001 ～ #65000"),
                                      S("  会議室ヘッダはそのままで、"), S("ログを加工して出力します...")}));
  s.align = true;
  s.strip_delimiters = s.strip_eof = s.strip_tabs = s.strip_trailing = true;
  s.range = ProcessRangeKind::ByDate;
  s.first_date = Day(1996, 1, 2);
  s.recount = s.drop_deleted = s.drop_room_headers = true;
  EXPECT_EQ(ProcessAccountLines(s),
            (std::vector<std::string>{
                S("/in/ろぐ.log を"), S("/out.logに"), S("  ヘッダの最終発言番号を 65000 に揃え"),
                S("  デリミタを削除 : EOFを削除 : TABを削除 : 行末空白を削除"),
                S("  日付指定：96/01/02 ～ 26/12/10"), S("  コメント数は再計算して"),
                S("  削除発言は出力しないで"), S("  会議室ヘッダを全て削除して、"),
                S("ログを加工して出力します...")}));
}

TEST(LogInformation, SizeLinesPostingsNumbersAndDates) {
  testing::TempFolder folder("tobrel-log-information-test");
  const std::string empty = folder.Write("empty.log", "no postings\r\n");
  EXPECT_EQ(LogInformationLines(empty),
            (std::vector<std::string>{empty, "", "  LOG File Size : 13 Byte",
                                      "           1 Lines       0 Articles", "    #65001 - #00000 ",
                                      "    85/12/31 00:00:00 -     85/04/01 00:00:00"}));
  const std::string log = folder.Write("room.log",
      "00012/00020 ABC01234  taro             Hello\r\n( 1)   99/12/31 23:59\r\n"
      "003/020   ABC01234  taro             Three\r\n( 1)   00/01/01 00:01\r\n"
      "( 2)   86/05/06 07:08\r\n");  // a sub-header line anywhere counts; 86 is 2086
  const auto lines = LogInformationLines(log);
  EXPECT_EQ(lines[3], "           5 Lines       2 Articles");
  EXPECT_EQ(lines[4], "    #00003 - #00012 ");
  EXPECT_EQ(lines[5], "    99/12/31 23:59:00 -     86/05/06 07:08:00");
}

class ProcessOutputTest : public ::testing::Test {
 protected:
  class Recorder final : public ProcessObserver {
   public:
    void Refuse(std::string_view message) override { refused = message; }
    void ClearResult() override { result.clear(); }
    void AppendResultLine(std::string_view line) override { result.emplace_back(line); }
    void SetBusyCursor(bool busy) override { busy_calls += busy ? 1 : -1; }
    std::string refused;
    std::vector<std::string> result;
    int busy_calls = 0;
  };

  ProcessResult Run(const std::string& input, const std::string& output) {
    ProcessSettings settings = DefaultProcessSettings(Day(2026, 12, 10));
    settings.input = input;
    settings.output = output;
    return ProcessLogOutput(settings, clock_, recorder_, list_);
  }

  testing::TempFolder folder_{"tobrel-process-output-test"};
  FixedClock clock_{Day(2026, 12, 10)};
  Recorder recorder_;
  std::vector<ArticleRec> list_;
  const std::string log_ = folder_.Write("in.log",
      "00001/00001 ABC01234  taro             Hello\r\n( 1)   96/01/05 10:00\r\nbody\r\n");
};

TEST_F(ProcessOutputTest, RefusesWhatWouldDestroyTheInput) {
  const std::string link = (folder_.path() / "link.log").string();
  const std::string hard = (folder_.path() / "hard.log").string();
  std::filesystem::create_symlink(log_, link);
  std::filesystem::create_hard_link(log_, hard);
  const struct {
    std::string input, output, message;
  } cases[] = {
      {"", "/x", "入力ﾛｸﾞﾌｧｲﾙ名が指定されていません"},
      {log_, "", "出力先が指定されていません"},
      {log_, log_, "入力ログﾌｧｲﾙ名と出力先が同じです"},
      {log_, link, "入力ログﾌｧｲﾙ名と出力先が同じです"},
      {log_, hard, "入力ログﾌｧｲﾙ名と出力先が同じです"},
      {log_, (folder_.path() / "." / "in.log").string(), "入力ログﾌｧｲﾙ名と出力先が同じです"},
  };
  for (const auto& c : cases) {
    const ProcessResult result = Run(c.input, c.output);
    EXPECT_EQ(result.status, ProcessStatus::Refused) << c.output;
    EXPECT_EQ(result.message, S(c.message));
    EXPECT_EQ(recorder_.refused, S(c.message));
  }
  EXPECT_TRUE(recorder_.result.empty());
  EXPECT_EQ(recorder_.busy_calls, 0);
}

TEST_F(ProcessOutputTest, WritesTheFileAndTheAccount) {
  const std::string output = (folder_.path() / "out.log").string();
  ASSERT_EQ(Run(log_, output).status, ProcessStatus::Done);
  EXPECT_EQ(ReadAll(output), ReadAll(log_));
  ASSERT_EQ(recorder_.result.size(), 7u);
  EXPECT_EQ(recorder_.result[5], "");
  EXPECT_EQ(recorder_.result[6], S(".....終了！"));
  EXPECT_EQ(list_.size(), 1u);  // the private list stays filled
}

TEST_F(ProcessOutputTest, FailuresNameThePathAndLeaveTheOldOutput) {
  const std::string output = folder_.Write("out.log", "old");
  ProcessResult result = Run((folder_.path() / "missing.log").string(), output);
  EXPECT_EQ(result.status, ProcessStatus::ReadFailed);
  EXPECT_NE(result.message.find("missing.log"), std::string::npos) << result.message;
  EXPECT_EQ(ReadAll(output), "old");
  EXPECT_EQ(recorder_.busy_calls, 0);

  const std::string bad = folder_.Write("bad.log",
      "00001/00001 ABC01234  taro             Hello\r\n( 1)   96/02/30 10:00\r\n");
  result = Run(bad, output);
  EXPECT_EQ(result.status, ProcessStatus::ReadFailed);
  EXPECT_NE(result.message.find("bad.log(2)"), std::string::npos) << result.message;
  EXPECT_EQ(ReadAll(output), "old");

  // A folder that is a file: nothing can be written there.
  result = Run(log_, (folder_.path() / "in.log" / "out.log").string());
  EXPECT_EQ(result.status, ProcessStatus::WriteFailed);
  EXPECT_NE(result.message.find("in.log/out.log"), std::string::npos);

  if (::geteuid() != 0) {  // root writes into read-only folders
    ::chmod(folder_.path().c_str(), 0555);
    result = Run(log_, output);
    ::chmod(folder_.path().c_str(), 0755);
    EXPECT_EQ(result.status, ProcessStatus::WriteFailed);
    EXPECT_NE(result.message.find("out.log"), std::string::npos);
    EXPECT_EQ(ReadAll(output), "old");
  }
}

// Reading a processed log back gives the postings of the range with the
// same fields, and the comment counts of an independent recount.
TEST(ProcessRoundTrip, ReadingTheProcessedLogGivesThePostingsOfTheRange) {
  testing::TempFolder folder("tobrel-process-round-trip");
  for (const std::uint64_t seed : {1u, 2u, 3u}) {
    LogGeneratorOptions generator;
    generator.seed = seed;
    generator.postings = 600;
    generator.rooms = 3;
    std::ostringstream text;
    GenerateLog(generator, text);
    const std::string input = folder.Write("in.log", text.str());
    const std::string output = (folder.path() / "out.log").string();

    for (const bool recount : {false, true}) {
      ProcessSettings settings = DefaultProcessSettings(Day(2026, 12, 10));
      settings.input = input;
      settings.output = output;
      settings.first_number = "00020";
      settings.last_number = "00150";
      settings.recount = recount;
      FixedClock clock(Day(2026, 12, 10));
      ProcessObserver quiet;
      std::vector<ArticleRec> list;
      ASSERT_EQ(ProcessLogOutput(settings, clock, quiet, list).status, ProcessStatus::Done);

      auto read = [&clock](const std::string& path) {
        LogStore store;
        ReadRunInputs inputs;
        inputs.candidates.push_back({path, true});
        ReadRunObserver observer;
        EXPECT_FALSE(ReadLogFiles(store, inputs, clock, observer).stopped_by);
        return store.Postings;
      };
      std::vector<ArticleRec> expected;
      for (const ArticleRec& p : read(input))
        if (p.Number >= 20 && p.Number <= 150) expected.push_back(p);
      const std::vector<ArticleRec> actual = read(output);
      ASSERT_EQ(actual.size(), expected.size()) << seed;
      ASSERT_GT(actual.size(), 300u);

      // The comments to each posting, counted plainly from the sub-header
      // references of the whole input log.
      std::map<std::pair<int, int>, int> comments;
      {
        std::istringstream lines(text.str());
        std::string line;
        while (std::getline(lines, line)) {
          if (!line.empty() && line.back() == '\r') line.pop_back();
          if (!IsSubHeaderLine(line)) continue;
          const std::string_view target = SubHeaderCommentTo(line);
          if (!target.empty()) ++comments[{SubHeaderRoom(line), *ParseDecimal(target)}];
        }
      }
      int recounted = 0;
      for (std::size_t i = 0; i < actual.size(); ++i) {
        const ArticleRec &a = actual[i], &e = expected[i];
        EXPECT_EQ(a.Number, e.Number);
        EXPECT_EQ(a.Room, e.Room);
        EXPECT_EQ(a.Id, e.Id);
        EXPECT_EQ(a.Handle, e.Handle);
        EXPECT_EQ(a.Title, e.Title);
        EXPECT_EQ(a.PostedAt, e.PostedAt);
        EXPECT_EQ(a.CommentTo, e.CommentTo);
        EXPECT_EQ(a.OwnChars, e.OwnChars);
        EXPECT_EQ(a.QuotedChars, e.QuotedChars);
        const int fresh = comments[{e.Room, e.Number}];
        EXPECT_EQ(a.CommentCount, recount ? fresh : e.CommentCount) << e.Room << "/" << e.Number;
        recounted += recount && fresh != e.CommentCount;
      }
      if (recount) {
        EXPECT_GT(recounted, 0);
      }
    }
  }
}

}  // namespace
}  // namespace tobrel
