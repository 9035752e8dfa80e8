// tobrel-cli names the logs that gave no posting or had header-like lines it
// did not take, --strict makes that status 5, and a UTF-8 copy of a log gives
// the reports of its Shift-JIS original.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "platform/cp932.h"
#include "support/cli_in_process.h"
#include "support/file_bytes.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

using testing::S;

using testing::ReadAll;

class ReadHealthCliTest : public ::testing::Test {
 protected:
  int Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin() + 1, {"--today", "2026/12/10"});
    return testing::RunCliInProcess(arguments, out_, err_);
  }

  testing::TempFolder folder_{"tobrel-read-health-cli"};
  const std::string sample_sjis_ = ReadAll(TOBREL_SAMPLE_LOG);
  const std::string good_ = folder_.Write(
      "good.log", "00012/00020 ABC01234  taro             Hello\r\n( 3)   97/05/12 23:45\r\nbody\r\n");
  std::ostringstream out_, err_;
};

TEST_F(ReadHealthCliTest, Utf8CopiesGiveTheReportsOfTheShiftJisOriginal) {
  const std::string sjis = folder_.Write("sjis.log", sample_sjis_);
  const std::string utf8 = folder_.Write("utf8.log", cp932::ToUtf8(sample_sjis_));
  const std::string marked = folder_.Write("marked.log", "\xEF\xBB\xBF" + cp932::ToUtf8(sample_sjis_));
  const std::vector<std::vector<std::string>> reports = {
      {"read"}, {"count", "--tables", "dmhwiz", "--order", "2"}, {"stats", "--titles", "0"},
      {"quote"}, {"savedata"}};
  for (const auto& report : reports) {
    auto with = [&](const std::string& log) {
      std::vector<std::string> arguments = report;
      arguments.push_back(log);
      return arguments;
    };
    ASSERT_EQ(Run(with(sjis)), kExitDone);
    const std::string expected = out_.str();
    EXPECT_EQ(err_.str(), "");
    for (const std::string& copy : {utf8, marked}) {
      // A converted log is read correctly: a note, and --strict keeps status 0.
      auto arguments = with(copy);
      arguments.push_back("--strict");
      ASSERT_EQ(Run(arguments), kExitDone) << report[0];
      // savedata names the file it read; every other byte is the same.
      std::string got = out_.str();
      if (report[0] == "savedata") got.replace(got.find(copy), copy.size(), sjis);
      EXPECT_EQ(got, expected) << report[0] << " of " << copy;
      EXPECT_EQ(err_.str(), "tobrel-cli: note: " + copy + ": read as UTF-8 and converted to Shift-JIS\n");
    }
  }
}

TEST_F(ReadHealthCliTest, CharactersWithoutShiftJisFormBecomeQuestionMarks) {
  const std::string log = folder_.Write(
      "emoji.log",
      "00012/00020 ABC01234  taro             \xF0\x9F\x98\x80 Hello\r\n( 3)   97/05/12 23:45\r\n"
      "本文\r\n");
  ASSERT_EQ(Run({"read", "--utf8", log}), kExitDone);
  EXPECT_NE(out_.str().find("\t? Hello\t"), std::string::npos) << out_.str();
  EXPECT_EQ(err_.str(), "tobrel-cli: note: " + log +
                            ": read as UTF-8 and converted to Shift-JIS; 1 character without a "
                            "Shift-JIS form became \"?\"\n");
}

TEST_F(ReadHealthCliTest, WarnsOfLogsThatGaveNothingAndStrictMakesItStatusFive) {
  std::string binary;
  for (int i = 0; i < 300; ++i) binary += static_cast<char>((i * 91) & 0xFF);
  const std::string empty = folder_.Write("empty.log", "");
  const std::string bytes = folder_.Write("binary.bin", binary);
  const std::string letter = folder_.Write("letter.txt", "Dear all,\nsee you on 12/25.\n");
  const std::string damaged = folder_.Write(
      "damaged.log", "00012/00020\tABC01234\ttaro\tHello\r\n( 3)   97/05/12 23:45\r\nbody\r\n");
  const std::string expected_warnings =
      "tobrel-cli: warning: " + empty + ": no posting found\n"
      "tobrel-cli: warning: " + bytes + ": no posting found\n"
      "tobrel-cli: warning: " + letter + ": no posting found\n"
      "tobrel-cli: warning: " + damaged + ": no posting found; 1 line looks like a posting header "
      "but was not read as a posting\n";

  ASSERT_EQ(Run({"read", good_, empty, bytes, letter, damaged}), kExitDone);
  const std::string report = out_.str();
  EXPECT_EQ(err_.str(), expected_warnings);

  // --strict: status 5, the same report on standard output, -o left alone.
  ASSERT_EQ(Run({"read", "--strict", good_, empty, bytes, letter, damaged}), kExitStrict);
  EXPECT_EQ(out_.str(), report);
  EXPECT_EQ(err_.str(), expected_warnings);
  const std::string output = folder_.Write("report.txt", "old");
  ASSERT_EQ(Run({"count", "--strict", "-o", output, good_, empty}), kExitStrict);
  EXPECT_EQ(ReadAll(output), "old");
  const std::string fresh = (folder_.path() / "fresh.txt").string();
  ASSERT_EQ(Run({"count", "--strict", "-o", fresh, empty}), kExitStrict);
  EXPECT_FALSE(std::filesystem::exists(fresh));

  // Header-like lines next to good postings: a count, and status 5 too.
  const std::string mixed = folder_.Write("mixed.log", ReadAll(good_) + "0012/0021 abc01234 x\r\n");
  ASSERT_EQ(Run({"read", "--strict", mixed}), kExitStrict);
  EXPECT_EQ(err_.str(), "tobrel-cli: warning: " + mixed +
                            ": 1 line looks like a posting header but was not read as a posting\n");
}

TEST_F(ReadHealthCliTest, GoodLogsGiveNoWarningAndAReadErrorKeepsStatusOne) {
  ASSERT_EQ(Run({"count", "--strict", good_}), kExitDone);
  EXPECT_EQ(err_.str(), "");
  const std::string empty = folder_.Write("empty.log", "");
  const std::string missing = (folder_.path() / "missing.log").string();
  EXPECT_EQ(Run({"count", "--strict", empty, missing}), kExitReadError);
  EXPECT_NE(err_.str().find("tobrel-cli: warning: " + empty + ": no posting found\n"),
            std::string::npos);
}

TEST_F(ReadHealthCliTest, ProcessAndInfoWarnToAndStrictMakesItStatusFive) {
  const std::string letter = folder_.Write("letter.txt", "Dear all,\nsee you on 12/25.\n");
  const std::string warning = "tobrel-cli: warning: " + letter + ": no posting found\n";
  const std::string output = (folder_.path() / "out.txt").string();

  // info: the warning, and with --strict status 5, the lines still on
  // standard output but an -o file left as it was.
  ASSERT_EQ(Run({"info", good_, letter}), kExitDone);
  const std::string info = out_.str();
  EXPECT_EQ(err_.str(), warning);
  ASSERT_EQ(Run({"info", "--strict", good_, letter}), kExitStrict);
  EXPECT_EQ(out_.str(), info);
  EXPECT_EQ(err_.str(), warning);
  folder_.Write("out.txt", "old");
  ASSERT_EQ(Run({"info", "--strict", "-o", output, letter}), kExitStrict);
  EXPECT_EQ(ReadAll(output), "old");
  ASSERT_EQ(Run({"info", "--strict", "-o", output, good_}), kExitDone);
  EXPECT_EQ(err_.str(), "");

  // process: the same warning after the account; --strict withholds the copy.
  const std::string kept = ReadAll(output);  // the information of good.log
  ASSERT_EQ(Run({"process", "--strict", "-o", output, letter}), kExitStrict);
  EXPECT_EQ(ReadAll(output), kept);
  EXPECT_NE(err_.str().find(warning), std::string::npos) << err_.str();
  ASSERT_EQ(Run({"process", "-o", output, letter}), kExitDone);
  EXPECT_NE(err_.str().find(warning), std::string::npos) << err_.str();
  EXPECT_NE(ReadAll(output), kept);
  ASSERT_EQ(Run({"process", "--strict", "-o", output, good_}), kExitDone);
  EXPECT_EQ(err_.str().find("warning"), std::string::npos) << err_.str();
}

TEST_F(ReadHealthCliTest, ProcessingAUtf8LogWritesTheShiftJisCopy) {
  const std::string sjis = folder_.Write("sjis.log", sample_sjis_);
  const std::string utf8 = folder_.Write("utf8.log", cp932::ToUtf8(sample_sjis_));
  const std::string from_sjis = (folder_.path() / "from-sjis.log").string();
  const std::string from_utf8 = (folder_.path() / "from-utf8.log").string();
  ASSERT_EQ(Run({"process", "--recount", "-o", from_sjis, sjis}), kExitDone);
  ASSERT_EQ(Run({"process", "--recount", "-o", from_utf8, utf8}), kExitDone);
  EXPECT_EQ(ReadAll(from_utf8), ReadAll(from_sjis));
  EXPECT_NE(err_.str().find("UTF-8 のﾛｸﾞを Shift-JIS に変換して処理します\n"), std::string::npos);
  // info counts the same lines and postings.
  ASSERT_EQ(Run({"info", sjis}), kExitDone);
  std::string expected = out_.str();
  expected.replace(expected.find(S(sjis)), S(sjis).size(), S(utf8));
  ASSERT_EQ(Run({"info", utf8}), kExitDone);
  // The sizes of the files differ; every other line is the same.
  auto without_size = [](std::string text) {
    const std::size_t at = text.find("LOG File Size");
    return text.erase(at, text.find('\n', at) - at);
  };
  EXPECT_EQ(without_size(out_.str()), without_size(expected));
}

}  // namespace
}  // namespace tobrel
