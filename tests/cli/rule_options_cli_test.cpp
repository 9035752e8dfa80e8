#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "support/cli_in_process.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

using testing::S;

std::string Posting(int number, const char* id, const char* handle, const char* title) {
  char head[64];
  std::snprintf(head, sizeof head, "%05d/%05d %s  ", number, number, id);
  std::string padded = handle;
  padded.resize(16, ' ');
  return S(std::string(head) + padded + " " + title + "\r\n( 5)   97/05/12 23:4" +
           std::to_string(number % 10) + "\r\n本文です\r\n \b\r\n");
}

class RuleOptionsCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_ = folder_.Write("room.log", Posting(1, "ABC00001", "taro", "Re:hello") +
                                         Posting(2, "ABC00002", "hana", "news") +
                                         Posting(3, "XYZ00001", "jiro", "Re:x,y") +
                                         Posting(4, "ABC00003", "taro2", "talk"));
  }

  long Lines() const {
    const std::string text = out_.str();
    return std::count(text.begin(), text.end(), '\n');
  }

  CliParse Parse(std::vector<std::string> arguments) { return ParseCliArguments(arguments); }

  int Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.end(), {"--today", "2026/12/10"});
    return testing::RunCliInProcess(arguments, out_, err_);
  }

  testing::TempFolder folder_{"tobrel-rule-options"};
  std::string log_;
  std::ostringstream out_, err_;
};

TEST_F(RuleOptionsCliTest, BadRuleOptionsAreUsageErrors) {
  const std::string bad_ids = folder_.Write("bad.LST", "ABC00001\r\n\r\n");
  const std::string bad_pairs = folder_.Write("pairs.LST", "ABC00001,ABC00002\r\nABC00002,ABC00003\r\n");
  const struct {
    std::vector<std::string> arguments;
    std::string message;
  } cases[] = {
      {{"count", "--exclude-ids", bad_ids}, bad_ids + "(2): NIFTY IDでない文字列があります"},
      {{"count", "--same-ids", bad_pairs},
       bad_pairs + "(1): IDに重複があるか、NIFTY IDでない文字列があります"},
      {{"count", "--exclude-ids", (folder_.path() / "none").string()},
       (folder_.path() / "none").string() + ": No such file or directory"},
      {{"count", "--title-mode", "suffix"}, "--title-mode needs regex or prefix"},
      {{"count", "--data"}, "--data needs a value"},
  };
  for (const auto& c : cases) {
    const CliParse parse = Parse(c.arguments);
    EXPECT_EQ(parse.outcome, CliParse::Outcome::UsageError) << c.message;
    EXPECT_EQ(parse.error, c.message);
  }
  EXPECT_EQ(Run({"count", "--exclude-title", "(", log_}), kExitUsage);
  EXPECT_EQ(err_.str(), "tobrel-cli: 正規表現が不正です\n");
  EXPECT_TRUE(out_.str().empty());
  // In prefix mode the text is no pattern.
  EXPECT_EQ(Run({"count", "--exclude-title", "(", "--title-mode", "prefix", log_}), kExitDone);
}

TEST_F(RuleOptionsCliTest, APatternTooComplexForTheMatcherSaysSoOnASecondLine) {
  // Valid, but nested deeper than the matcher takes.
  const std::string deep = std::string(300, '(') + "a" + std::string(300, ')');
  for (const char* option : {"--quote", "--exclude-title"}) {
    EXPECT_EQ(Run({"count", option, deep, log_}), kExitUsage) << option;
    EXPECT_EQ(err_.str(),
              "tobrel-cli: 正規表現が不正です\n"
              "tobrel-cli: the pattern is too complex for the matcher's limits\n")
        << option;
    // An invalid pattern keeps the one line.
    EXPECT_EQ(Run({"count", option, "a(", log_}), kExitUsage) << option;
    EXPECT_EQ(err_.str(), "tobrel-cli: 正規表現が不正です\n") << option;
  }
}

TEST_F(RuleOptionsCliTest, ATallyWithNothingReadIsRefused) {
  const std::string output = (folder_.path() / "out.txt").string();
  for (const char* report : {"count", "comment", "stats", "month"}) {
    EXPECT_EQ(Run({report, "-o", output}), kExitRefused) << report;
    EXPECT_EQ(err_.str(), "ログファイルが読み込まれていません\n");
    EXPECT_TRUE(out_.str().empty());
    EXPECT_FALSE(std::filesystem::exists(output));
  }
  // The other reports write what there is: nothing.
  EXPECT_EQ(Run({"read"}), kExitDone);
  EXPECT_EQ(Run({"savedata"}), kExitDone);
  EXPECT_TRUE(out_.str().empty());
}

TEST_F(RuleOptionsCliTest, ExcludedReportAndTheRulesAtReading) {
  const std::string ids = folder_.Write("ids.LST", "ABC00002 the news account\r\n");
  EXPECT_EQ(Run({"excluded", "--utf8", "--exclude-ids", ids, "--exclude-title", "^Re:", log_}),
            kExitDone);
  EXPECT_EQ(out_.str(),
            "5\t1\tﾀｲﾄﾙ\tABC00001\ttaro\tRe:hello\n"
            "5\t2\tID\tABC00002\thana\tnews\n"
            "5\t3\tﾀｲﾄﾙ\tXYZ00001\tjiro\tRe:x,y\n");
  EXPECT_EQ(Run({"read", "--utf8", "--exclude-title", "Re:", "--title-mode", "prefix", log_}),
            kExitDone);
  EXPECT_EQ(Lines(), 2);
  // Duplicates of a second reading of the same postings are listed too.
  const std::string copy = folder_.Write("copy.log", Posting(4, "ABC00003", "taro2", "talk"));
  EXPECT_EQ(Run({"excluded", "--utf8", log_, copy}), kExitDone);
  EXPECT_EQ(out_.str(), "5\t4\t重複\tABC00003\ttaro2\ttalk\n");
}

TEST_F(RuleOptionsCliTest, ControlBytesInFieldsBecomeBlanksInTheListings) {
  const std::string log = folder_.Write(
      "tabs.log",
      Posting(7, "ABC00007", "ta\tro", "He\tl\x01lo") + Posting(8, "ABC00008", "x", "y"));
  const std::string ids = folder_.Write("ids.LST", "ABC00007\r\n");
  ASSERT_EQ(Run({"read", "--utf8", log}), kExitDone);
  const std::string read = out_.str();
  EXPECT_EQ(read.substr(0, read.find('\n')).find("7\tABC00007\tta ro\tHe l lo\t5\t"), 0u) << read;
  EXPECT_EQ(std::count(read.begin(), read.end(), '\t'), 2 * 11) << read;
  ASSERT_EQ(Run({"excluded", "--utf8", "--exclude-ids", ids, log}), kExitDone);
  EXPECT_EQ(out_.str(), "5\t7\tID\tABC00007\tta ro\tHe l lo\n");
}

TEST_F(RuleOptionsCliTest, SameIdsCountAliasesUnderTheirMainId) {
  const std::string pairs = folder_.Write("pairs.LST", "ABC00001,ABC00003\r\n");
  ASSERT_EQ(Run({"count", "--utf8", log_}), kExitDone);
  const std::string plain = out_.str();
  ASSERT_EQ(Run({"count", "--utf8", "--same-ids", pairs, log_}), kExitDone);
  EXPECT_NE(out_.str(), plain);
  EXPECT_EQ(out_.str().find("ABC00003"), std::string::npos) << out_.str();
  EXPECT_NE(out_.str().find("ABC00001  taro"), std::string::npos) << out_.str();
  // The statistics report does not map.
  ASSERT_EQ(Run({"stats", "--utf8", log_}), kExitDone);
  const std::string stats = out_.str();
  ASSERT_EQ(Run({"stats", "--utf8", "--same-ids", pairs, log_}), kExitDone);
  EXPECT_EQ(out_.str(), stats);
}

TEST_F(RuleOptionsCliTest, SaveDataAndDataRoundTrip) {
  ASSERT_EQ(Run({"savedata", log_}), kExitDone);
  const std::string saved = out_.str();
  EXPECT_EQ(saved.substr(0, 9), "[Files]\r\n");
  EXPECT_NE(saved.find(S("\r\n5,3,1997/05/12 23:43,0,0,10,0,10,0,XYZ00001,jiro,Re:x,y\r\n")),
            std::string::npos)
      << saved;
  const std::string data = folder_.Write("saved.Dat", saved);
  ASSERT_EQ(Run({"savedata", "--data", data}), kExitDone);
  EXPECT_EQ(out_.str(), saved);
  ASSERT_EQ(Run({"count", log_}), kExitDone);
  const std::string count = out_.str();
  ASSERT_EQ(Run({"count", "--data", data}), kExitDone);
  EXPECT_EQ(out_.str(), count);
  // The logs of the data file count as read: giving one again reads nothing new.
  ASSERT_EQ(Run({"read", "--data", data, log_}), kExitDone);
  EXPECT_EQ(Lines(), 4);

  const std::string broken = folder_.Write("broken.Dat", "[Files]\r\n/x.log\r\n");
  EXPECT_EQ(Run({"count", "--data", broken, log_}), kExitRefused);
  EXPECT_NE(err_.str().find("broken.Dat(2): the file ends before its \"[Log Info]\" line"),
            std::string::npos)
      << err_.str();
  EXPECT_EQ(Run({"read", "--data", broken, log_}), kExitReadError);
  EXPECT_TRUE(out_.str().empty());
}

}  // namespace
}  // namespace tobrel
