#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "support/cli_in_process.h"
#include "support/file_bytes.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

using testing::S;

using testing::ReadAll;

class LogOutputCliTest : public ::testing::Test {
 protected:
  int Run(const std::vector<std::string>& arguments) {
    return testing::RunCliInProcess(arguments, out_, err_);
  }

  testing::TempFolder folder_{"tobrel-log-output-cli-test"};
  const std::string log_ = folder_.Write("room.log",
      "00012/00020 ABC01234  taro             Hello\r\n( 3)   97/05/12 23:45\r\nbody \t\r\n"
      "00013/00020 ABC01234  taro             Again\r\n( 3)   97/05/13 00:10\r\n \b\r\n");
  const std::string output_ = (folder_.path() / "out.log").string();
  std::ostringstream out_, err_;
};

TEST_F(LogOutputCliTest, ProcessWritesTheFileAndTheAccountToStandardError) {
  ASSERT_EQ(Run({"process", "--today", "2026/12/10", "--align", "42", "--strip", "trailing,delimiter",
                 "--numbers", "13-13", "-o", output_, log_}),
            kExitDone);
  EXPECT_EQ(ReadAll(output_), "00013/00042 ABC01234  taro             Again\r\n( 3)   97/05/13 00:10\r\n\r\n");
  EXPECT_EQ(err_.str(), log_ + " を\n" + output_ + "に\n  ヘッダの最終発言番号を 00042 に揃え\n"
                        "  デリミタを削除 : 行末空白を削除\n  番号指定：#00013 ～ #00013\n"
                        "  会議室ヘッダはそのままで、\nログを加工して出力します...\n\n.....終了！\n");
  EXPECT_TRUE(out_.str().empty());

  ASSERT_EQ(Run({"process", "--dates", "1997/05/12-1997/05/12", "--recount", "--drop-deleted",
                 "--drop-room-headers", "-o", output_, log_}),
            kExitDone);
  EXPECT_EQ(ReadAll(output_), "00012/00020 ABC01234  taro             Hello\r\n( 3)   97/05/12 23:45\r\nbody \t\r\n");
}

TEST_F(LogOutputCliTest, ProcessRefusesItsInputAsOutput) {
  const std::string link = (folder_.path() / "link.log").string();
  std::filesystem::create_symlink(log_, link);
  const std::string before = ReadAll(log_);
  EXPECT_EQ(Run({"process", "-o", link, log_}), kExitUsage);
  EXPECT_NE(err_.str().find("入力ログﾌｧｲﾙ名と出力先が同じです"), std::string::npos);
  EXPECT_EQ(ReadAll(log_), before);
  EXPECT_EQ(Run({"process", "-o", output_, (folder_.path() / "none.log").string()}), kExitReadError);
  EXPECT_NE(err_.str().find("none.log"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(output_));
  EXPECT_EQ(Run({"process", "-o", log_ + "/x", log_}), kExitWriteError);
}

TEST_F(LogOutputCliTest, UsageErrors) {
  static const std::vector<std::string> bad[] = {
      {"process", "a.log"},                         // no -o
      {"process", "-o", "x", "a.log", "b.log"},     // two logs
      {"process", "-o", "x"},                       // no log
      {"process", "-o", "x", "--align", "0", "a"},
      {"process", "-o", "x", "--align", "65001", "a"},
      {"process", "-o", "x", "--align", "1a", "a"},
      {"process", "-o", "x", "--strip", "tab,nul", "a"},
      {"count", "--settings"},
      {"count", "--settings", "/no/such/TOBREL.INI"},
  };
  for (const auto& arguments : bad)
    EXPECT_EQ(ParseCliArguments(arguments).outcome, CliParse::Outcome::UsageError)
        << ::testing::PrintToString(arguments);
}

TEST_F(LogOutputCliTest, InfoWritesTheLinesOfEachLog) {
  ASSERT_EQ(Run({"info", "--utf8", log_, log_}), kExitDone);
  const std::string one = log_ + "\n\n  LOG File Size : 150 Byte\n           6 Lines       2 Articles\n"
                          "    #00012 - #00013 \n    97/05/12 23:45:00 -     97/05/13 00:10:00\n";
  EXPECT_EQ(out_.str(), one + one);
  EXPECT_EQ(Run({"info", log_, (folder_.path() / "none.log").string()}), kExitReadError);
  EXPECT_EQ(out_.str().substr(0, log_.size() + 2), log_ + "\r\n");
}

TEST_F(LogOutputCliTest, SettingsFileGivesTheDefaultsAndTheCommandLineOverrides) {
  const std::string ini = folder_.Write("TOBREL.INI",
      "[ENV]\r\nQUOTE=^body\r\n[OPTREAD]\r\nDELIMITER=1\r\nINTERWAY=1\r\nDISPID=1\r\n100=1\r\n");
  CliParse parse = ParseCliArguments({"count", "--settings", ini, log_});
  ASSERT_EQ(parse.outcome, CliParse::Outcome::Run) << parse.error;
  EXPECT_TRUE(parse.options.delimiter_only && parse.options.interway && parse.options.hide_ids &&
              parse.options.top100);
  EXPECT_EQ(parse.options.quote, "^body");
  parse = ParseCliArguments({"count", "--quote", "^x", "--settings", ini, log_});
  EXPECT_EQ(parse.options.quote, "^x");
  EXPECT_FALSE(ParseCliArguments({"count", log_}).options.delimiter_only);

  // An invalid pattern in the file falls back to the default, as in the window.
  const std::string bad = folder_.Write("BAD.INI", "[ENV]\r\nQUOTE=[\r\n");
  parse = ParseCliArguments({"read", "--settings", bad, log_});
  ASSERT_EQ(parse.outcome, CliParse::Outcome::Run);
  EXPECT_EQ(parse.options.quote, std::nullopt);

  // The file's options rule the run: only the delimiter ends a posting, so
  // the second header is body text, and "body" is a quoted line.
  EXPECT_EQ(Run({"read", "--today", "2026/12/10", "--settings", ini, log_}), kExitDone);
  EXPECT_EQ(out_.str(), "12\tABC01234\ttaro\tHello\t3\t1997/05/12 23:45\t0\t0\t53\t4\t49\t0\r\n");
}

TEST_F(LogOutputCliTest, SettingsGivenTwiceTakesTheLastOne) {
  const std::string first = folder_.Write("FIRST.INI", "[OPTREAD]\r\nDELIMITER=1\r\n");
  const std::string last = folder_.Write("LAST.INI", "[OPTREAD]\r\nINTERWAY=1\r\n");
  CliParse parse = ParseCliArguments({"count", "--settings", first, "--settings", last, log_});
  ASSERT_EQ(parse.outcome, CliParse::Outcome::Run) << parse.error;
  EXPECT_FALSE(parse.options.delimiter_only);
  EXPECT_TRUE(parse.options.interway);
  EXPECT_EQ(parse.options.settings_file, last);
  // Only the last one is read: a missing first one does not matter.
  parse = ParseCliArguments({"count", "--settings", "/no/such/TOBREL.INI", "--settings", first, log_});
  ASSERT_EQ(parse.outcome, CliParse::Outcome::Run) << parse.error;
  EXPECT_TRUE(parse.options.delimiter_only);
}

TEST_F(LogOutputCliTest, SettingsFileThatIsNoSettingsFileSaysWhatItIs) {
  const std::string folder = folder_.path().string();
  const std::string loop = folder + "/loop.ini";
  std::filesystem::create_symlink("loop.ini", loop);
  const std::string large = folder_.Write("LARGE.INI", "");
  std::filesystem::resize_file(large, (std::uintmax_t{16} << 20) + 1);
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {"/no/such/TOBREL.INI", "--settings: no settings file /no/such/TOBREL.INI"},
      {folder + "/dangling.ini", "--settings: no settings file " + folder + "/dangling.ini"},
      {folder, "--settings: " + folder + " is a folder, not a settings file"},
      {loop, "--settings: " + loop + ": symbolic links loop"},
      {large, "--settings: " + large + " is too large for a settings file (more than 16 MiB)"},
  };
  std::filesystem::create_symlink("nowhere", folder + "/dangling.ini");
  for (const auto& c : cases) {
    const CliParse parse = ParseCliArguments({"count", "--settings", c.path, log_});
    EXPECT_EQ(parse.outcome, CliParse::Outcome::UsageError) << c.path;
    EXPECT_EQ(parse.error, c.message);
  }
}

}  // namespace
}  // namespace tobrel
