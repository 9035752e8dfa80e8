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

TEST(CliOptions, UsageErrors) {
  static const std::vector<std::string> bad[] = {
      {},
      {"nosuchreport"},
      {"read", "--nosuchoption"},
      {"read", "-o"},
      {"read", "--today", "2026-12-10"},
      {"read", "--today", "2026/02/30"},
  };
  for (const auto& arguments : bad)
    EXPECT_EQ(ParseCliArguments(arguments).outcome, CliParse::Outcome::UsageError)
        << ::testing::PrintToString(arguments);
  EXPECT_EQ(ParseCliArguments({"--help"}).outcome, CliParse::Outcome::Help);
  EXPECT_EQ(ParseCliArguments({"read", "--version"}).outcome, CliParse::Outcome::Version);
}

TEST(CliOptions, FillsTheOptions) {
  const CliParse parse = ParseCliArguments({"read", "a.log", "--delimiter-only", "--interway",
                                            "--utf8", "-o", "out.txt", "--today", "1999/01/02",
                                            "--progress", "b.log"});
  ASSERT_EQ(parse.outcome, CliParse::Outcome::Run);
  const CliOptions& o = parse.options;
  EXPECT_EQ(o.report, "read");
  EXPECT_EQ(o.logs, (std::vector<std::string>{"a.log", "b.log"}));
  EXPECT_TRUE(o.delimiter_only && o.interway && o.utf8 && o.progress);
  EXPECT_EQ(o.output, "out.txt");
  EXPECT_EQ(o.today, EncodeDateTime({1999, 1, 2, 0, 0, 0}));
}

class CliRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_ = folder_.Write("room.log",
        S("00012/00012 ABC01234  たろう           質問です\r\n"
             "( 3)   97/05/12 23:45  00007へのコメント\r\n"
             "> 引用\r\n"
             "本文\r\n"
             " \b\r\n"));
  }

  int Run(std::vector<std::string> arguments) {
    const CliParse parse = ParseCliArguments(arguments);
    EXPECT_EQ(parse.outcome, CliParse::Outcome::Run) << parse.error;
    return RunCli(parse.options, out_, err_);
  }

  testing::TempFolder folder_{"tobrel-cli-test"};
  std::string log_;
  std::ostringstream out_, err_;
};

TEST_F(CliRunTest, ReadReportInShiftJisAndUtf8) {
  EXPECT_EQ(Run({"read", "--today", "2026/12/10", log_, log_}), kExitDone);
  EXPECT_EQ(out_.str(), S("12\tABC01234\tたろう\t質問です\t3\t1997/05/12 23:45\t7\t0\t9\t3\t6\t0\r\n"));
  out_.str("");
  EXPECT_EQ(Run({"read", "--utf8", "--today", "2026/12/10", log_}), kExitDone);
  EXPECT_EQ(out_.str(), "12\tABC01234\tたろう\t質問です\t3\t1997/05/12 23:45\t7\t0\t9\t3\t6\t0\n");
}

TEST_F(CliRunTest, QuotePatternDecidesWhatIsQuoted) {
  EXPECT_EQ(Run({"read", "--quote", "^本", "--today", "2026/12/10", log_}), kExitDone);
  EXPECT_NE(out_.str().find("\t9\t2\t7\t0\r\n"), std::string::npos) << out_.str();
  out_.str("");
  EXPECT_EQ(Run({"read", "--quote", "[", log_}), kExitUsage);
  EXPECT_NE(err_.str().find("正規表現が不正です"), std::string::npos);
  EXPECT_TRUE(out_.str().empty());
}

TEST_F(CliRunTest, TwoDigitYearsFollowToday) {
  EXPECT_EQ(Run({"read", "--today", "2090/01/01", log_}), kExitDone);
  EXPECT_NE(out_.str().find("\t2097/05/12 23:45\t"), std::string::npos);
}

TEST_F(CliRunTest, ReadErrorStillWritesTheReportAndExitsWithOne) {
  const std::string output = (folder_.path() / "out.txt").string();
  EXPECT_EQ(Run({"read", "--progress", "-o", output, log_, (folder_.path() / "missing.log").string()}),
            kExitReadError);
  std::ifstream in(output, std::ios::binary);
  std::stringstream written;
  written << in.rdbuf();
  EXPECT_EQ(written.str().substr(0, 3), "12\t");
  EXPECT_NE(err_.str().find("missing.log"), std::string::npos);
  EXPECT_NE(err_.str().find("room.logを読み込み中...："), std::string::npos);
  EXPECT_TRUE(out_.str().empty());
}

TEST_F(CliRunTest, UnwritableOutputFails) {
  EXPECT_EQ(Run({"read", "-o", (folder_.path() / "no" / "out.txt").string(), log_}), kExitReadError);
  EXPECT_NE(err_.str().find("cannot write"), std::string::npos);
}

}  // namespace
}  // namespace tobrel
