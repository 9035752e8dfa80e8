#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "cli/exit_status.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

using testing::S;

// The exit status of each kind of failure, as the manual lists them.
TEST(CliExitStatus, FollowsTheKindOfFailure) {
  static const struct {
    FailureKind kind;
    int status;
  } cases[] = {
      {FailureKind::FileUnreadable, 1}, {FailureKind::InvalidLog, 1},
      {FailureKind::BadReadData, 1},    {FailureKind::BadArgument, 2},
      {FailureKind::BadPattern, 2},     {FailureKind::BadIdList, 2},
      {FailureKind::BadNumberText, 2},  {FailureKind::TallyRefused, 3},
      {FailureKind::FileUnwritable, 4},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExitStatusOf(Failure(c.kind, "x")), c.status) << static_cast<int>(c.kind);
}

// Every usage error of the command line, with its message.
TEST(CliOptions, UsageErrors) {
  static const struct {
    std::vector<std::string> arguments;
    const char* message;
  } cases[] = {
      {{}, "no report named"},
      {{"nosuchreport"}, "unknown report nosuchreport"},
      {{"read", "--nosuchoption"}, "unknown option --nosuchoption"},
      {{"read", "-o"}, "-o needs a file name"},
      {{"read", "--today", "2026-12-10"}, "--today needs a date YYYY/MM/DD"},
      {{"read", "--today", "2026/02/30"}, "--today needs a date YYYY/MM/DD"},
      {{"read", "--numbers", "0-70000"}, "--numbers needs FROM-TO, numbers from 1 to 65000"},
      {{"read", "--dates", "1997/01/01-1997/02/30"}, "--dates needs YYYY/MM/DD-YYYY/MM/DD"},
      {{"read", "--order", "4"}, "--order needs a number from 0 to 3"},
      {{"read", "--tables", "dx"}, "--tables needs letters of dmhwiz"},
      {{"quote", "--order", "4"}, "--order needs a number from 0 to 3"},
      {{"comment", "--order", "3"}, "--order of comment needs a number from 0 to 2"},
      {{"comment", "--limit", "5"}, "--limit needs 30, 20, 10 or all"},
      {{"stats", "--titles", "2"}, "--titles needs 0 or 1"},
      {{"stats", "--missing", "--dates", "1997/01/01-1997/12/31"}, "--missing needs a number range"},
      {{"month", "--kind", "3"}, "--kind needs a number from 0 to 2"},
      {{"month", "--from", "1998/13"}, "--from needs a month YYYY/MM"},
      {{"month", "--to", "98/01"}, "--to needs a month YYYY/MM"},
      {{"month", "--id"}, "--id needs a member ID"},
      {{"read", "--quote"}, "--quote needs a pattern"},
      {{"count", "--format", "csv"}, "--format needs text, tsv, html or svg"},
      {{"read", "--format", "tsv"},
       "--format tsv needs a report with tables (count, quote, comment, stats, month); read has none"},
      {{"savedata", "--format", "html"},
       "--format html needs a report with tables (count, quote, comment, stats, month); savedata has none"},
      {{"info", "--format", "svg"},
       "--format svg needs a report with tables (count, quote, comment, stats, month); info has none"},
      // Text arguments must be UTF-8 that CP932 can hold: no silent "?".
      {{"read", "--quote", "\xff"}, "--quote: the value is not valid UTF-8"},
      {{"read", "--quote", "\xe5\xbc"}, "--quote: the value is not valid UTF-8"},   // cut
      {{"read", "--quote", "\xc0\xbe"}, "--quote: the value is not valid UTF-8"},   // overlong '>'
      {{"read", "--quote", "\xed\xa0\x80"}, "--quote: the value is not valid UTF-8"},  // surrogate
      {{"read", "--quote", "\xf0\x9f\x98\x80"},
       "--quote: the value has a character that Shift-JIS lacks"},
      {{"month", "--id", "ABC\x80" "1234"}, "--id: the value is not valid UTF-8"},
  };
  for (const auto& c : cases) {
    const CliParse parse = ParseCliArguments(c.arguments);
    EXPECT_EQ(parse.outcome, CliParse::Outcome::UsageError) << ::testing::PrintToString(c.arguments);
    EXPECT_EQ(parse.error, c.message) << ::testing::PrintToString(c.arguments);
  }
  EXPECT_EQ(ParseCliArguments({"--help"}).outcome, CliParse::Outcome::Help);
  EXPECT_EQ(ParseCliArguments({"read", "--version"}).outcome, CliParse::Outcome::Version);
  // A "?" of the pattern itself is no unconvertible character.
  const CliParse quote = ParseCliArguments({"read", "--quote", "^引用?>"});
  ASSERT_EQ(quote.outcome, CliParse::Outcome::Run) << quote.error;
  EXPECT_EQ(quote.options.quote, S("^引用?>"));
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

  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
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

TEST_F(CliRunTest, AFailedRunWritesTheReportOnlyToStandardOutput) {
  const std::string missing = (folder_.path() / "missing.log").string();
  EXPECT_EQ(Run({"read", "--progress", log_, missing}), kExitReadError);
  EXPECT_EQ(out_.str().substr(0, 3), "12\t");
  EXPECT_NE(err_.str().find("missing.log"), std::string::npos);
  EXPECT_NE(err_.str().find("room.logを読み込み中...："), std::string::npos);

  // With -o, an old report stays as it was and no new one is made.
  out_.str("");
  const std::string old_report = folder_.Write("old.txt", "good report\r\n");
  const std::string new_report = (folder_.path() / "new.txt").string();
  EXPECT_EQ(Run({"read", "-o", old_report, log_, missing}), kExitReadError);
  EXPECT_EQ(Run({"read", "-o", new_report, log_, missing}), kExitReadError);
  EXPECT_EQ(ReadFile(old_report), "good report\r\n");
  EXPECT_FALSE(std::filesystem::exists(new_report));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()), {}), 2);
  EXPECT_TRUE(out_.str().empty());
}

TEST_F(CliRunTest, OutputNamingAnInputLogIsRefused) {
  const std::filesystem::path dir = folder_.path();
  std::filesystem::create_directory(dir / "sub");
  std::filesystem::create_hard_link(log_, dir / "hard.log");
  std::filesystem::create_symlink(log_, dir / "sym.log");
  const std::string original = ReadFile(log_);
  for (const std::string& output : {log_, (dir / "sub" / ".." / "room.log").string(),
                                    (dir / "hard.log").string(), (dir / "sym.log").string()}) {
    err_.str("");
    EXPECT_EQ(Run({"read", "-o", output, log_}), kExitUsage) << output;
    EXPECT_EQ(err_.str(), "tobrel-cli: -o " + output + " is the input log " + log_ +
                              "; it is not replaced\n");
  }
  EXPECT_EQ(ReadFile(log_), original);
}

TEST_F(CliRunTest, UnwritableOutputExitsWithFour) {
  EXPECT_EQ(Run({"read", "-o", (folder_.path() / "no" / "out.txt").string(), log_}), kExitWriteError);
  EXPECT_EQ(err_.str(), "tobrel-cli: cannot write " + (folder_.path() / "no" / "out.txt").string() +
                            ": No such file or directory\n");
}

// A stream that takes nothing, as a full disk or a closed pipe would.
class RefusingBuffer final : public std::streambuf {
 protected:
  int overflow(int) override {
    errno = ENOSPC;
    return traits_type::eof();
  }
  std::streamsize xsputn(const char*, std::streamsize) override {
    errno = ENOSPC;
    return 0;
  }
};

TEST_F(CliRunTest, StandardOutputThatCannotBeWrittenExitsWithFour) {
  RefusingBuffer refusing;
  std::ostream full(&refusing);
  const CliParse parse = ParseCliArguments({"read", log_});
  EXPECT_EQ(RunCli(parse.options, full, err_), kExitWriteError);
  EXPECT_EQ(err_.str(), "tobrel-cli: cannot write standard output: No space left on device\n");
}

}  // namespace
}  // namespace tobrel
