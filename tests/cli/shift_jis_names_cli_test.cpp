// A log whose file name is CP932 bytes (not UTF-8), as old Japanese archives
// unpack: the name keeps its bytes in the reports and the read-data file,
// comes back to the same file from --data, and reads as its Japanese
// characters in the messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "support/cli_in_process.h"
#include "support/file_bytes.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

using testing::ReadAll;
using testing::S;

class ShiftJisNamesCliTest : public ::testing::Test {
 protected:
  int Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin() + 1, {"--today", "2026/12/10"});
    return testing::RunCliInProcess(arguments, out_, err_);
  }

  testing::TempFolder folder_{"tobrel-shift-jis-names-cli-test"};
  const std::string base_ = folder_.path().string() + "/";
  // The file name 会議室.log in CP932 bytes, and the same path as UTF-8.
  const std::string log_ = folder_.Write(
      S("会議室.log"),
      "00012/00020 ABC01234  taro             Hello\r\n( 3)   97/05/12 23:45\r\nbody\r\n");
  const std::string utf8_name_ = base_ + "会議室.log";
  std::ostringstream out_, err_;
};

TEST_F(ShiftJisNamesCliTest, InfoAndSavedataKeepTheNameBytes) {
  ASSERT_EQ(Run({"info", log_}), kExitDone);
  EXPECT_EQ(out_.str().substr(0, log_.size() + 2), log_ + "\r\n");
  ASSERT_EQ(Run({"info", "--utf8", log_}), kExitDone);
  EXPECT_EQ(out_.str().substr(0, utf8_name_.size() + 1), utf8_name_ + "\n");

  ASSERT_EQ(Run({"savedata", log_}), kExitDone);
  EXPECT_EQ(out_.str().substr(0, 9 + log_.size() + 2), "[Files]\r\n" + log_ + "\r\n");
  ASSERT_EQ(Run({"savedata", "--utf8", log_}), kExitDone);
  EXPECT_NE(out_.str().find("[Files]\n" + utf8_name_ + "\n"), std::string::npos) << out_.str();
}

TEST_F(ShiftJisNamesCliTest, ReadDataFileLeadsBackToTheSameLog) {
  const std::string data = (folder_.path() / "saved.dat").string();
  ASSERT_EQ(Run({"savedata", "-o", data, log_}), kExitDone);
  const std::string saved = ReadAll(data);
  ASSERT_EQ(Run({"read", log_}), kExitDone);
  const std::string postings = out_.str();
  // The loaded path is the log's own: naming the log again reads nothing
  // more, and writing the state again gives the same bytes.
  ASSERT_EQ(Run({"read", "--data", data, log_}), kExitDone);
  EXPECT_EQ(out_.str(), postings);
  ASSERT_EQ(Run({"savedata", "--data", data, log_}), kExitDone);
  EXPECT_EQ(out_.str(), saved);
}

TEST_F(ShiftJisNamesCliTest, MessagesShowTheJapaneseName) {
  const std::string empty = folder_.Write(S("空.log"), "");
  ASSERT_EQ(Run({"count", log_, empty}), kExitDone);
  EXPECT_EQ(err_.str(), "tobrel-cli: warning: " + base_ + "空.log: no posting found\n");

  const std::string missing = base_ + S("無い.log");
  const std::string named = "tobrel-cli: " + base_ + "無い.log: ";
  EXPECT_EQ(Run({"count", missing}), kExitReadError);
  EXPECT_EQ(err_.str().substr(0, named.size()), named) << err_.str();
  EXPECT_EQ(Run({"info", missing}), kExitReadError);
  EXPECT_EQ(err_.str().substr(0, named.size()), named) << err_.str();
  // A UTF-8 name with a character that CP932 lacks keeps it.
  const std::string beyond = base_ + "\xF0\x9F\x93\x9C.log";
  EXPECT_EQ(Run({"info", beyond}), kExitReadError);
  EXPECT_EQ(err_.str(), "tobrel-cli: " + beyond + ": No such file or directory\n");

  const std::string output = (folder_.path() / "out.log").string();
  ASSERT_EQ(Run({"process", "-o", output, log_}), kExitDone);
  EXPECT_EQ(err_.str().substr(0, utf8_name_.size() + 5), utf8_name_ + " を\n");
}

TEST_F(ShiftJisNamesCliTest, OutputAndSettingsMessagesShowTheJapaneseName) {
  EXPECT_EQ(Run({"info", "-o", log_, log_}), kExitUsage);
  EXPECT_EQ(err_.str(), "tobrel-cli: -o " + utf8_name_ + " is the input log " + utf8_name_ +
                            "; it is not replaced\n");

  const std::string folder = base_ + S("出力");
  std::filesystem::create_directory(folder);
  EXPECT_EQ(Run({"count", "-o", folder + "/" + S("無い/結果.txt"), log_}), kExitWriteError);
  EXPECT_NE(err_.str().find(base_ + "出力/無い/結果.txt"), std::string::npos) << err_.str();

  const CliParse parse = ParseCliArguments({"count", "--settings", folder, log_});
  EXPECT_EQ(parse.outcome, CliParse::Outcome::UsageError);
  EXPECT_EQ(parse.error, "--settings: " + base_ + "出力 is a folder, not a settings file");
}

}  // namespace
}  // namespace tobrel
