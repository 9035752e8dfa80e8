// The reading run tells, for every file it read, how many postings it gave
// and how many header-like lines it did not take, so that logs that are not
// logs, or damaged ones, never pass unnoticed.
#include <gtest/gtest.h>

#include <cstdio>

#include "core/log_line_recognizers.h"
#include "core/log_lines.h"
#include "core/read_health.h"
#include "core/read_run.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

using testing::S;

class HealthObserver final : public ReadRunObserver {
 public:
  void ShowReadHealth(const std::vector<FileReadHealth>& files) override { health = files; }
  std::vector<FileReadHealth> health;
};

const std::string kHeader = "00001/00009 ABC12345  " + S("ハンドル         題名");
const std::string kSubHeader = "( 5)   97/05/12 23:45";
const std::string kPosting = kHeader + "\r\n" + kSubHeader + "\r\n" + S("本文") + "\r\n \b\r\n";

class ReadHealthTest : public ::testing::Test {
 protected:
  FileReadHealth ReadOne(const std::string& content, ReadOptions options = {}) {
    const std::string path = folder_.Write("log.txt", content);
    ReadRunInputs inputs;
    inputs.candidates = {{path, true}};
    inputs.options = options;
    LogStore store;
    HealthObserver observer;
    EXPECT_FALSE(ReadLogFiles(store, inputs, clock_, observer).stopped_by);
    EXPECT_EQ(observer.health.size(), 1u);
    return observer.health.empty() ? FileReadHealth{} : observer.health[0];
  }

  testing::TempFolder folder_{"tobrel-read-health"};
  FixedClock clock_{*EncodeDateTime({2026, 12, 10, 0, 0, 0})};
};

TEST_F(ReadHealthTest, CountsPostingsAndHeaderLikeLinesNotTaken) {
  std::string binary;
  for (int i = 0; i < 512; ++i) binary += static_cast<char>((i * 37) & 0xFF);
  std::string tabs = kHeader;
  tabs[11] = '\t';
  static const struct {
    const char* name;
    std::string content;
    bool delimiter_only;
    std::size_t postings, stray;
  } cases[] = {
      {"good log", kPosting + kPosting, false, 2, 0},
      {"empty file", "", false, 0, 0},
      {"binary file", binary, false, 0, 0},
      {"foreign text", "Dear friends,\n12/25 is Christmas.\n1/2 of them came.\n", false, 0, 0},
      {"date lines in a body", kHeader + "\r\n" + kSubHeader + "\r\n98/10/12 12:00 meeting\r\n" +
                                   "1996/01/01 ABCDEFGH\r\n",
       false, 1, 0},
      {"tab for a blank", tabs + "\r\n" + kSubHeader + "\r\n", false, 0, 1},
      {"trailing blanks trimmed", "00001/00009 ABC12345  x\r\n" + kSubHeader + "\r\n", false, 0, 1},
      {"lower-case ID", "00001/00009 abc12345  " + S("ハンドル         題名") + "\r\n", false, 0,
       1},
      {"four-digit numbers", "0001/0009 ABC12345 handle title\r\n" + kPosting, false, 1, 1},
      {"header without sub-header", kHeader + "\r\nbody\r\n" + kPosting, false, 1, 1},
      {"two headers, no sub-header", kHeader + "\r\n" + kHeader + "\r\n", false, 0, 2},
      {"header as the last line", kPosting + kHeader, false, 1, 1},
      {"damaged header inside a posting",
       kHeader + "\r\n" + kSubHeader + "\r\n00002/00009\tABC12345\r\n", false, 1, 1},
      {"header in a body, delimiters only",
       kHeader + "\r\n" + kSubHeader + "\r\n" + kHeader + "\r\n", true, 1, 0},
  };
  for (const auto& c : cases) {
    const FileReadHealth health = ReadOne(c.content, {.delimiter_only = c.delimiter_only});
    EXPECT_EQ(health.postings, c.postings) << c.name;
    EXPECT_EQ(health.stray_headers, c.stray) << c.name;
    EXPECT_EQ(health.HasWarning(), c.postings == 0 || c.stray > 0) << c.name;
    EXPECT_FALSE(health.HasNotice()) << c.name;
    // The loaded lines alone tell the same, for the commands that do not
    // read into the store.
    LogLines lines;
    LoadLogLines(folder_.Write("log.txt", c.content), lines);
    const FileReadHealth same =
        LogLinesHealth("log.txt", lines, {.delimiter_only = c.delimiter_only}, {});
    EXPECT_EQ(same.postings, c.postings) << c.name;
    EXPECT_EQ(same.stray_headers, c.stray) << c.name;
  }
}

TEST_F(ReadHealthTest, PostingsLeftOutByRulesStillCount) {
  const std::string path = folder_.Write("log.txt", kPosting);
  ReadRunInputs inputs;
  inputs.candidates = {{path, true}};
  inputs.options.use_exclusion = true;
  inputs.exclusion = [](std::string_view, std::string_view) { return ExclusionReason::ById; };
  LogStore store;
  HealthObserver observer;
  EXPECT_FALSE(ReadLogFiles(store, inputs, clock_, observer).stopped_by);
  ASSERT_EQ(observer.health.size(), 1u);
  EXPECT_EQ(observer.health[0].postings, 1u);
  EXPECT_FALSE(observer.health[0].HasWarning());
}

TEST_F(ReadHealthTest, Utf8LogIsANoticeNotAWarning) {
  const FileReadHealth health = ReadOne(cp932::ToUtf8(kPosting));
  EXPECT_EQ(health.postings, 1u);
  EXPECT_FALSE(health.HasWarning());
  EXPECT_TRUE(health.HasNotice());
}

TEST_F(ReadHealthTest, ARunStoppedByAnErrorTellsOfTheFilesReadBefore) {
  const std::string good = folder_.Write("good.log", kPosting);
  const std::string empty = folder_.Write("empty.log", "");
  ReadRunInputs inputs;
  inputs.candidates = {{good, true}, {empty, true}, {(folder_.path() / "missing").string(), true}};
  LogStore store;
  HealthObserver observer;
  EXPECT_TRUE(ReadLogFiles(store, inputs, clock_, observer).stopped_by);
  ASSERT_EQ(observer.health.size(), 2u);
  EXPECT_EQ(observer.health[0].path, good);
  EXPECT_FALSE(observer.health[0].HasWarning());
  EXPECT_EQ(observer.health[1].path, empty);
  EXPECT_TRUE(observer.health[1].HasWarning());
  EXPECT_TRUE(AnyReadWarning(observer.health));
}

// The loose header test on its own: what it must take and leave.
TEST(LooksLikePostingHeader, TakesHeaderShapesOnly) {
  static const struct {
    const char* line;
    bool header;
  } cases[] = {
      {"00001/00009 ABC12345  handle", true},
      {"001/002   ********  handle", true},
      {"1/2\tabc12345", true},
      {"123456/123456 ABC12345 x", true},
      {"1234567/1 ABC12345", false},   // seven digits
      {" 00001/00009 ABC12345", false}, // not at the start
      {"00001/00009ABC12345", false},   // no blank
      {"00001/00009 ABC1234", false},   // seven characters
      {"00001/00009 ABC123456", false}, // nine
      {"97/05/12 23:45 ABC12345", false},
      {"12/25 Christmas party", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(LooksLikePostingHeader(c.line), c.header) << c.line;
}

}  // namespace
}  // namespace tobrel
