// tobrel-cli's quote, comment, stats and month reports: their options and the
// monthly tally's refusals (the usage errors of their values are in the
// table of cli_test).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

using testing::S;

TEST(TallyReportOptions, FillTheOptions) {
  const CliParse parse =
      ParseCliArguments({"month", "--kind", "2", "--from", "1998/11", "--to", "1999/02", "--id",
                         "abc01234", "--limit", "all", "--titles", "1", "--no-rooms", "--missing"});
  ASSERT_EQ(parse.outcome, CliParse::Outcome::Run) << parse.error;
  const CliOptions& o = parse.options;
  EXPECT_EQ(o.kind, 2);
  EXPECT_EQ(o.month_from, (YearMonth{1998, 11}));
  EXPECT_EQ(o.month_to, (YearMonth{1999, 2}));
  EXPECT_EQ(o.target_id, "abc01234");
  EXPECT_EQ(o.limit, 3);
  EXPECT_EQ(o.titles, 1);
  EXPECT_TRUE(o.no_rooms && o.missing);
}

class TallyReportsCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Three postings of room 3; the recount finds the comments of postings
    // 8 and 12 on posting 7.
    log_ = folder_.Write("room.log",
        S("00007/00012 ABC01234  たろう           質問です\r\n"
             "( 3)   97/05/12 23:45\r\n"
             "本文\r\n"
             " \b\r\n"
             "00008/00012 DEF05678  はなこ           Re: 質問です\r\n"
             "( 3)   97/05/13 08:00  00007へのコメント\r\n"
             "> 本文\r\n"
             "答えです\r\n"
             " \b\r\n"
             "00012/00012 ABC01234  たろう           Re^2: 質問です\r\n"
             "( 3)   97/06/01 09:30  00007へのコメント\r\n"
             "お礼です\r\n"
             " \b\r\n"));
  }

  int Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.end(), {"--utf8", "--today", "1997/06/15", log_});
    const CliParse parse = ParseCliArguments(arguments);
    EXPECT_EQ(parse.outcome, CliParse::Outcome::Run) << parse.error;
    return RunCli(parse.options, out_, err_);
  }

  testing::TempFolder folder_{"tobrel-tally-reports-cli-test"};
  std::string log_;
  std::ostringstream out_, err_;
};

TEST_F(TallyReportsCliTest, CommentReportRecountsAndRanksPostings) {
  EXPECT_EQ(Run({"comment", "--order", "2", "--limit", "10"}), kExitDone);
  const std::string report = out_.str();
  EXPECT_EQ(report.substr(0, report.find("【")),
            "    集計対象：番号指定\n              #1 ～ #65000\n\n");
  EXPECT_NE(report.find("\n   1 #00007( 3) 質問です"), std::string::npos) << report;
  EXPECT_NE(report.find("97/05/12 23:45    2\n"), std::string::npos) << report;
}

TEST_F(TallyReportsCliTest, StatsReportWithTitlesAndMissingNumbers) {
  EXPECT_EQ(Run({"stats", "--no-rooms", "--titles", "1", "--missing", "--numbers", "1-15"}),
            kExitDone);
  EXPECT_EQ(out_.str(),
            "≪  3番会議室 発言タイトル一覧 ≫\n"
            "番号   ID       登録日      TO     CO 題名\n"
            "     7 ABC01234 05/12 23:45         2 質問です\n"
            "     8 DEF05678 05/13 08:00 00007   0 Re: 質問です\n"
            "    12 ABC01234 06/01 09:30 00007   0 Re^2: 質問です\n"
            "\n"
            "【03番会議室ログの欠番情報】\n"
            "    対象期間：  #00001 - 00015\n"
            "\n"
            " #00001-00006 #00009-00011 #00013-00015\n");
}

TEST_F(TallyReportsCliTest, MonthReportTakesItsRangeFromToday) {
  EXPECT_EQ(Run({"month"}), kExitDone);  // 1996/07 .. 1997/06
  const std::string report = out_.str();
  EXPECT_EQ(report.substr(0, report.find('\n')), "【月間発言数集計】 1996/07");
  EXPECT_NE(report.find("【月間発言数集計】 1997/06\n"), std::string::npos);
  EXPECT_EQ(report.find("1997/07"), std::string::npos);
}

TEST_F(TallyReportsCliTest, MonthReportOfOneId) {
  EXPECT_EQ(Run({"month", "--kind", "2", "--id", "abc01234", "--from", "1997/05", "--to",
                 "1997/06"}),
            kExitDone);
  const std::string report = out_.str();
  EXPECT_EQ(report.substr(0, report.find('\n')), "【ID別月間集計】ID：ABC01234 ハンドル：たろう");
  EXPECT_NE(report.find("\n1997/06          1(   1)"), std::string::npos) << report;
}

TEST_F(TallyReportsCliTest, MonthChecksExitWithThree) {
  static const struct {
    std::vector<std::string> arguments;
    const char* message;
  } cases[] = {
      {{"month", "--kind", "2"}, "対象IDが不正です\n"},
      {{"month", "--from", "1997/06", "--to", "1997/06"}, "対象年月が不正です。\n"},
      {{"month", "--from", "1996/06", "--to", "1997/06"}, "対象年月が不正です。\n"},
  };
  const std::filesystem::path output = folder_.path() / "month.txt";
  for (const auto& c : cases) {
    out_.str("");
    err_.str("");
    EXPECT_EQ(Run(c.arguments), kExitRefused);
    EXPECT_EQ(err_.str(), c.message);
    EXPECT_TRUE(out_.str().empty());
    std::vector<std::string> to_file = c.arguments;
    to_file.insert(to_file.end(), {"-o", output.string()});
    EXPECT_EQ(Run(to_file), kExitRefused);
    EXPECT_FALSE(std::filesystem::exists(output));  // not even empty
  }
}

TEST_F(TallyReportsCliTest, QuoteReportByQuotedCharacters) {
  EXPECT_EQ(Run({"quote", "--order", "3"}), kExitDone);
  EXPECT_EQ(out_.str(),
            "    集計対象：番号指定\n"
            "              #1 ～ #65000\n"
            "\n"
            "【引用文字数順集計】\n" +
                std::string(77, '=') +
                "\n"
                "順位     ＩＤ ハンドル          引用文字数   総発言文字数       発言数 引用率\n"
                "*" + std::string(75, '-') + "*\n"
                "   1 DEF05678 はなこ                     3             14      1(   2) 21.43%\n"
                "   2 ABC01234 たろう                     0             19      2(   1)  0.00%\n" +
                std::string(77, '-') +
                "\n"
                "合計      2 人                           3             33       3       9.09%\n"
                "*" + std::string(75, '-') + "*\n"
                "最高文字数発言   #00008( 3)97/05/13 08:00 DEF05678 はなこ              14文字\n"
                "最高引用文字発言 #00008( 3)97/05/13 08:00 DEF05678 はなこ               3文字\n" +
                std::string(77, '=') + "\n");
}

TEST_F(TallyReportsCliTest, QuoteReportCountsWithTheQuotePatternGiven) {
  EXPECT_EQ(Run({"quote", "--quote", "^#", "--hide-ids"}), kExitDone);
  const std::string report = out_.str();
  EXPECT_NE(report.find("\n   1  たろう                 2           19(   1)      9(   2)  0.00%\n"),
            std::string::npos) << report;
  EXPECT_NE(report.find("\n最高引用文字発言 #00000( 0)87/04/01 00:00 ********"), std::string::npos)
      << report;
}

}  // namespace
}  // namespace tobrel
