// Setting a new quote-line pattern: what the window shows and in which
// order, and the re-read of the logs with the new pattern.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/cp932.h"
#include "regex/quote_pattern.h"
#include "support/temp_folder.h"
#include "tally/quote_pattern_change.h"
#include "tally/quote_tally.h"
#include "tally/quoted_line_test.h"
#include "tests/support/sjis.h"

namespace tobrel {
namespace {

using testing::S;

// Records what the window and the reading run show, in order (UTF-8).
class Recorder final : public QuotePatternWindow, public ReadRunObserver {
 public:
  void Beep(Sound sound) override {
    events.push_back(sound == Sound::Information ? "beep information" : "beep default");
  }
  void ShowMessage(std::string_view text) override {
    events.push_back("message " + cp932::ToUtf8(text));
  }
  void ShowPattern(std::string_view pattern) override {
    events.push_back("pattern " + cp932::ToUtf8(pattern));
  }
  void ShowReadFilesPage() override { events.push_back("read files page"); }

  std::vector<std::string> events;
};

// Two postings; posting 2 quotes a line with ">" and one with "#".
const char kLog[] =
    "00001/00002 ABC01234  たろう           質問です\r\n"
    "( 3)   97/05/12 23:45\r\n"
    "本文です\r\n"
    " \b\r\n"
    "00002/00002 DEF05678  はなこ           Re: 質問です\r\n"
    "( 3)   97/05/13 08:00  00001へのコメント\r\n"
    "> 本文です\r\n"
    "# 引用\r\n"
    "答えです\r\n"
    " \b\r\n";

class QuotePatternChangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    matcher_.SetRegExp(kDefaultQuotePattern);
    // The same log twice: its postings are read twice and the second copies
    // become duplicates in the excluded list.
    reading_.candidates = {{folder_.Write("a.log", S(kLog)), true},
                           {folder_.Write("b.log", S(kLog)), true},
                           {folder_.Write("unchecked.log", S(kLog)), false}};
    // Through the cache of parsed logs, as the window reads: what the old
    // pattern gave must not come back from it.
    reading_.cache =
        LogCacheUse{folder_.path() / "cache", kDefaultLogCacheCap, *QuotedLineTestIdentity(matcher_)};
  }

  // Reads the checked logs with the pattern in force, as the read command does.
  void ReadLogs() {
    ReadRunInputs inputs = reading_;
    inputs.is_quoted = [this](std::string_view line) { return matcher_.IsMatch(line); };
    ReadRunObserver quiet;
    ASSERT_FALSE(ReadLogFiles(store_, inputs, clock_, quiet).stopped_by);
  }

  QuotePatternChange Change(std::string_view utf8) {
    return ChangeQuotePattern(S(utf8), matcher_, recorder_,
                              {store_, reading_, clock_, recorder_});
  }

  const ArticleRec& Posting2() const { return store_.Postings.at(1); }

  testing::TempFolder folder_{"tobrel-quote-pattern-change-test"};
  TLineMatcher matcher_;
  ReadRunInputs reading_;
  LogStore store_;
  FixedClock clock_{*EncodeDateTime({1997, 6, 15, 0, 0, 0})};
  Recorder recorder_;
};

TEST_F(QuotePatternChangeTest, InvalidPatternKeepsThePreviousOneInForce) {
  ReadLogs();
  EXPECT_EQ(Change("(").outcome, QuotePatternOutcome::Invalid);
  EXPECT_EQ(recorder_.events,
            (std::vector<std::string>{"beep information", "message 正規表現が不正です"}));
  EXPECT_EQ(matcher_.RegExp(), kDefaultQuotePattern);
  EXPECT_TRUE(matcher_.IsMatch(S("> 本文です")));
  EXPECT_EQ(store_.Postings.size(), 2u);
}

TEST_F(QuotePatternChangeTest, UnchangedPatternDoesNothing) {
  ReadLogs();
  store_.CommentsRecounted = true;
  const std::string read_files = store_.ReadFiles.back();
  EXPECT_EQ(ChangeQuotePattern(kDefaultQuotePattern, matcher_, recorder_,
                               {store_, reading_, clock_, recorder_})
                .outcome,
            QuotePatternOutcome::Unchanged);
  EXPECT_TRUE(recorder_.events.empty());
  EXPECT_EQ(store_.ReadFiles.back(), read_files);
  EXPECT_TRUE(store_.CommentsRecounted);
}

TEST_F(QuotePatternChangeTest, WithoutPostingsThePatternIsOnlyShown) {
  EXPECT_EQ(Change("^#").outcome, QuotePatternOutcome::Set);
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"pattern ^#"}));
  EXPECT_EQ(matcher_.RegExp(), "^#");
  EXPECT_TRUE(store_.Postings.empty() && store_.ReadFiles.empty());
}

TEST_F(QuotePatternChangeTest, ChangedPatternRereadsTheCheckedLogsWithIt) {
  ReadLogs();
  ASSERT_EQ(store_.Postings.size(), 2u);
  ASSERT_EQ(store_.Excluded.size(), 2u);  // the duplicates of b.log
  const std::int32_t total = Posting2().TotalChars;
  const std::int32_t quoted_before = Posting2().QuotedChars;
  ASSERT_GT(quoted_before, 0);
  store_.CommentsRecounted = true;

  const QuotePatternChange change = Change("^#");
  EXPECT_EQ(change.outcome, QuotePatternOutcome::Reread);
  EXPECT_FALSE(change.read_error);
  EXPECT_EQ(recorder_.events,
            (std::vector<std::string>{
                "beep default",
                "message 引用行正規表現が変更されたので指定されたログファイルを読み込み直します",
                "pattern ^#", "read files page"}));

  // Read again once, with "# 引用" as the only quoted line.
  EXPECT_EQ(store_.ReadFiles,
            (std::vector<std::string>{reading_.candidates[0].path, reading_.candidates[1].path}));
  ASSERT_EQ(store_.Postings.size(), 2u);
  EXPECT_EQ(store_.Excluded.size(), 2u);
  EXPECT_EQ(Posting2().TotalChars, total);
  EXPECT_GT(Posting2().QuotedChars, 0);
  EXPECT_NE(Posting2().QuotedChars, quoted_before);
  EXPECT_EQ(Posting2().OwnChars + Posting2().QuotedChars, total);
  EXPECT_FALSE(store_.CommentsRecounted);

  // The next tally counts with the new numbers.
  TallyProgress progress;
  ReportText report;
  QuoteTobrel(store_, {}, {QuoteOrder::ByQuoted}, progress, report);
  const std::string quoted = std::to_string(Posting2().QuotedChars);
  const std::string row_start = "   1 DEF05678 " + S("はなこ") + std::string(10, ' ') + " " +
                                std::string(11 - quoted.size(), ' ') + quoted;
  EXPECT_EQ(report[7].substr(0, row_start.size()), row_start);
}

TEST_F(QuotePatternChangeTest, ReadErrorOfTheRereadIsReturned) {
  ReadLogs();
  std::filesystem::remove(reading_.candidates[1].path);
  const QuotePatternChange change = Change("^#");
  EXPECT_EQ(change.outcome, QuotePatternOutcome::Reread);
  ASSERT_TRUE(change.read_error);
  EXPECT_NE(change.read_error->message().find("b.log"), std::string::npos)
      << change.read_error->message();
  EXPECT_EQ(store_.Postings.size(), 2u);  // what a.log gave stays
  EXPECT_TRUE(store_.Excluded.empty());
}

}  // namespace
}  // namespace tobrel
