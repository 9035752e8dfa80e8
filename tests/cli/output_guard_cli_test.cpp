// -o naming a file that the run reads, by every command that takes -o: the
// run is refused before anything is read or written, and every file stays.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

using testing::ReadAll;

class OutputGuardCliTest : public ::testing::Test {
 protected:
  OutputGuardCliTest() {
    std::filesystem::create_hard_link(files_.at("LOG"), folder_.path() / "hard.log");
    files_["HARD"] = (folder_.path() / "hard.log").string();
    files_["OUT"] = (folder_.path() / "out.txt").string();
  }

  // The arguments with each placeholder (LOG, DATA, ...) put as its file.
  std::vector<std::string> Arguments(const std::vector<std::string>& pattern) const {
    std::vector<std::string> arguments;
    for (const std::string& word : pattern)
      arguments.push_back(files_.count(word) ? files_.at(word) : word);
    return arguments;
  }

  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> bytes;
    for (const auto& [name, path] : files_) bytes[name] = ReadAll(path);
    return bytes;
  }

  testing::TempFolder folder_{"tobrel-output-guard-cli-test"};
  std::map<std::string, std::string> files_ = {
      {"LOG", folder_.Write("room.log",
                            "00012/00020 ABC01234  taro             Hello\r\n"
                            "( 3)   97/05/12 23:45\r\nbody\r\n")},
      {"DATA", folder_.Write("saved.dat", "not looked at: refused before it is loaded\r\n")},
      {"IDS", folder_.Write("ids.lst", "ABC01234\r\n")},
      {"SAME", folder_.Write("same.lst", "ABC01234,ABD01234\r\n")},
      {"INI", folder_.Write("TOBREL.INI", "[ENV]\r\n")},
  };
};

TEST_F(OutputGuardCliTest, EveryCommandRefusesToReplaceAnInput) {
  static const struct {
    std::vector<std::string> arguments;
    const char* output;  // the placeholder that -o names
    const char* role;    // nullptr: the processing dialog's message
  } cases[] = {
      {{"count", "LOG"}, "LOG", "input log"},
      {{"quote", "LOG"}, "LOG", "input log"},
      {{"comment", "LOG"}, "LOG", "input log"},
      {{"stats", "LOG"}, "LOG", "input log"},
      {{"month", "LOG"}, "LOG", "input log"},
      {{"read", "LOG"}, "LOG", "input log"},
      {{"savedata", "LOG"}, "LOG", "input log"},
      {{"excluded", "LOG"}, "LOG", "input log"},
      {{"info", "LOG"}, "LOG", "input log"},
      {{"info", "LOG"}, "HARD", "input log"},
      {{"process", "LOG"}, "LOG", nullptr},
      {{"process", "LOG"}, "HARD", nullptr},
      {{"count", "--data", "DATA"}, "DATA", "read-data file"},
      {{"savedata", "--data", "DATA", "LOG"}, "DATA", "read-data file"},
      {{"read", "--exclude-ids", "IDS", "LOG"}, "IDS", "ID list"},
      {{"count", "--same-ids", "SAME", "LOG"}, "SAME", "ID list"},
      {{"info", "--settings", "INI", "LOG"}, "INI", "settings file"},
      {{"process", "--settings", "INI", "LOG"}, "INI", "settings file"},
      {{"aclogs", "--settings", "INI"}, "INI", "settings file"},
  };
  const auto before = Snapshot();
  for (const auto& c : cases) {
    std::vector<std::string> arguments = Arguments(c.arguments);
    arguments.insert(arguments.end(), {"-o", files_.at(c.output)});
    const CliParse parse = ParseCliArguments(arguments);
    ASSERT_EQ(parse.outcome, CliParse::Outcome::Run) << parse.error;
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(parse.options, out, err), kExitUsage) << ::testing::PrintToString(arguments);
    const std::string input = files_.at(c.output == std::string("HARD") ? "LOG" : c.output);
    EXPECT_EQ(err.str(), c.role ? "tobrel-cli: -o " + files_.at(c.output) + " is the " + c.role +
                                      " " + input + "; it is not replaced\n"
                                : "tobrel-cli: 入力ログﾌｧｲﾙ名と出力先が同じです\n")
        << ::testing::PrintToString(arguments);
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(Snapshot(), before) << ::testing::PrintToString(arguments);
  }
  EXPECT_FALSE(std::filesystem::exists(files_.at("OUT")));
}

TEST_F(OutputGuardCliTest, AnOutputBesideTheInputsIsWritten) {
  const CliParse parse = ParseCliArguments(
      Arguments({"info", "--settings", "INI", "--exclude-ids", "IDS", "-o", "OUT", "LOG"}));
  ASSERT_EQ(parse.outcome, CliParse::Outcome::Run) << parse.error;
  std::ostringstream out, err;
  EXPECT_EQ(RunCli(parse.options, out, err), kExitDone) << err.str();
  EXPECT_EQ(ReadAll(files_.at("OUT")).substr(0, files_.at("LOG").size()), files_.at("LOG"));
}

}  // namespace
}  // namespace tobrel
