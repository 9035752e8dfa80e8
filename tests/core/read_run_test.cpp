#include "core/read_run.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/cp932.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

using testing::S;

// Records what the run shows, as UTF-8 lines.
class RecordingObserver final : public ReadRunObserver {
 public:
  std::vector<std::string> events;
  std::string title = "Tobrel";
  int last_progress = -1;
  int progress_maximum = -1;

  void ShowStatus(std::string_view text) override { events.push_back("status " + U(text)); }
  std::string ApplicationTitle() const override { return title; }
  void SetApplicationTitle(std::string_view text) override {
    title = text;
    events.push_back("title " + U(text));
  }
  void Minimize() override { events.push_back("minimize"); }
  void Restore() override { events.push_back("restore"); }
  void Beep() override { events.push_back("beep"); }
  void SetBusyCursor(bool busy) override { events.push_back(busy ? "busy" : "normal"); }
  void SetProgressRange(int maximum) override { progress_maximum = maximum; }
  void SetProgressPosition(int position) override { last_progress = position; }
  void SetFilesLabel(std::string_view text) override { events.push_back("files " + U(text)); }
  void SetArticlesLabel(std::string_view text) override {
    events.push_back("articles " + U(text));
  }

 private:
  static std::string U(std::string_view text) { return cp932::ToUtf8(text); }
};

std::string Posting(int number, const char* id, const char* title, const char* date = "97/05/12") {
  char head[64];
  std::snprintf(head, sizeof head, "%05d/%05d %s  ", number, number, id);
  return S(std::string(head) + "ハンドル         " + title + "\r\n( 5)   " + date +
           " 23:45\r\n本文\r\n \b\r\n");
}

class ReadRunTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& content) {
    return folder_.Write(name, content);
  }

  std::optional<Failure> Read(std::vector<std::string> paths, ReadOptions options = {},
                              ExclusionTest exclusion = {}) {
    ReadRunInputs inputs;
    for (auto& path : paths) inputs.candidates.push_back({path, true});
    inputs.options = options;
    inputs.exclusion = std::move(exclusion);
    return ReadLogFiles(store_, inputs, clock_, observer_).stopped_by;
  }

  testing::TempFolder folder_{"tobrel-read-run"};
  LogStore store_;
  RecordingObserver observer_;
  FixedClock clock_{*EncodeDateTime({2026, 12, 10, 0, 0, 0})};
};

TEST_F(ReadRunTest, ReadsCheckedFilesOnceAndRemovesDuplicates) {
  const std::string a = Write("a.log", Posting(1, "ABC00001", "one") + Posting(2, "ABC00002", "two"));
  const std::string b = Write("b.log", Posting(2, "ABC00002", "two"));
  const std::string c = Write("c.log", Posting(3, "ABC00003", "three"));
  ReadRunInputs inputs;
  inputs.candidates = {{a, true}, {b, true}, {c, false}, {a, true}};
  EXPECT_FALSE(ReadLogFiles(store_, inputs, clock_, observer_).stopped_by);
  EXPECT_EQ(store_.Postings.size(), 2u);
  ASSERT_EQ(store_.Excluded.size(), 1u);
  EXPECT_EQ(store_.Excluded[0].Reason, ExclusionReason::Duplicate);
  EXPECT_EQ(store_.ReadFiles, (std::vector<std::string>{a, b}));

  // A second run over the same files adds nothing.
  EXPECT_FALSE(ReadLogFiles(store_, inputs, clock_, observer_).stopped_by);
  EXPECT_EQ(store_.Postings.size(), 2u);
  EXPECT_EQ(store_.ReadFiles.size(), 2u);
}

TEST_F(ReadRunTest, ShowsStatusTextsAndCounters) {
  const std::string a = Write("a.log", Posting(1, "ABC00001", "one"));
  Read({a});
  const std::vector<std::string> expected = {
      "busy",
      "status " + a + "を読み込み中...：",
      "status " + a + "のログ情報を読み込み中...：",
      "normal",
      "status 読み込んだログファイル情報から重複を削除中...",
      "files   1 Files",
      "articles      1 Article 読込み済み",
      "status ",
  };
  EXPECT_EQ(observer_.events, expected);
  EXPECT_EQ(observer_.progress_maximum, 3);
  EXPECT_EQ(observer_.last_progress, 0);
}

TEST_F(ReadRunTest, MinimisedRunsRestoreOrNot) {
  const std::string a = Write("a.log", Posting(1, "ABC00001", "one"));
  Read({a}, {.minimize_while_reading = true, .restore_after_reading = false});
  EXPECT_EQ(observer_.title, S("Tobrel ﾛｸﾞﾌｧｲﾙの読込み終了！"));
  EXPECT_EQ(std::count(observer_.events.begin(), observer_.events.end(), "restore"), 0);

  store_ = {};
  observer_ = {};
  Read({a}, {.minimize_while_reading = true, .restore_after_reading = true});
  EXPECT_EQ(observer_.title, "Tobrel");
  const auto& e = observer_.events;
  EXPECT_EQ(e[1], "title Tobrel : ﾛｸﾞﾌｧｲﾙの読込み中...");
  EXPECT_EQ(e[2], "minimize");
  EXPECT_NE(std::find(e.begin(), e.end(), "restore"), e.end());
  EXPECT_NE(std::find(e.begin(), e.end(), "beep"), e.end());
}

TEST_F(ReadRunTest, ExclusionOnlyWhenSwitchedOn) {
  const std::string a = Write("a.log", Posting(1, "ABC00001", "広告です") + Posting(2, "ABC00002", "広告") +
                                           Posting(3, "XYZ00009", "hello"));
  // The prefix kind with a title of two full-width characters.
  const std::string prefix = S("広告");
  ExclusionTest test = [&](std::string_view id, std::string_view title) -> std::optional<ExclusionReason> {
    if (title.size() > prefix.size() && title.substr(0, prefix.size()) == prefix)
      return ExclusionReason::ByTitle;
    if (id == "XYZ00009") return ExclusionReason::ById;
    return std::nullopt;
  };
  Read({a}, {}, test);
  EXPECT_EQ(store_.Postings.size(), 3u);

  store_ = {};
  Read({a}, {.use_exclusion = true}, test);
  ASSERT_EQ(store_.Postings.size(), 1u);
  EXPECT_EQ(store_.Postings[0].Number, 2);
  ASSERT_EQ(store_.Excluded.size(), 2u);
  EXPECT_EQ(store_.Excluded[0].Reason, ExclusionReason::ByTitle);
  EXPECT_EQ(store_.Excluded[0].Room, 5);
  EXPECT_EQ(store_.Excluded[0].Number, 1);
  EXPECT_EQ(store_.Excluded[1].Reason, ExclusionReason::ById);
}

TEST_F(ReadRunTest, LfAndCrLfFilesGiveTheSamePostings) {
  std::string crlf = Posting(1, "ABC00001", "one") + Posting(2, "ABC00002", "two");
  std::string lf;
  for (char c : crlf)
    if (c != '\r') lf += c;
  EXPECT_FALSE(Read({Write("crlf.log", crlf)}));
  LogStore first = store_;
  store_ = {};
  EXPECT_FALSE(Read({Write("lf.log", lf)}));
  ASSERT_EQ(first.Postings.size(), 2u);
  ASSERT_EQ(store_.Postings.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(store_.Postings[i].Number, first.Postings[i].Number);
    EXPECT_EQ(store_.Postings[i].Id, first.Postings[i].Id);
    EXPECT_EQ(store_.Postings[i].Title, first.Postings[i].Title);
    EXPECT_EQ(store_.Postings[i].PostedAt, first.Postings[i].PostedAt);
    EXPECT_EQ(store_.Postings[i].OwnChars, first.Postings[i].OwnChars);
  }
  EXPECT_EQ(first.Postings[1].Title, S("two"));
  EXPECT_EQ(first.Postings[1].OwnChars, 5);  // "two" and "本文"
}

TEST_F(ReadRunTest, AnErrorStopsTheRunButTheFinishingStepsRun) {
  const std::string a = Write("a.log", Posting(1, "ABC00001", "one") + Posting(1, "ABC00001", "one"));
  const std::string bad = Write("bad.log", Posting(2, "ABC00002", "two") +
                                               Posting(3, "ABC00003", "bad", "97/02/30"));
  const std::string c = Write("c.log", Posting(4, "ABC00004", "four"));
  const auto error = Read({a, bad, c});
  ASSERT_TRUE(error);
  EXPECT_EQ(error->message(), bad + "(6): '97/02/30 23:45:00' is not a valid date and time");
  EXPECT_EQ(error->kind(), FailureKind::InvalidLog);
  EXPECT_EQ(error->file(), bad);
  EXPECT_EQ(error->line(), 6u);
  EXPECT_EQ(store_.ReadFiles, (std::vector<std::string>{a, bad}));
  EXPECT_EQ(store_.Postings.size(), 2u);  // one of a (the other a duplicate) and one of bad
  EXPECT_EQ(store_.Excluded.size(), 1u);
  EXPECT_EQ(observer_.events.back(), "status ");
  EXPECT_EQ(observer_.events[observer_.events.size() - 2], "articles      2 Article 読込み済み");
}

TEST_F(ReadRunTest, AMissingFileStopsTheRun) {
  const auto error = Read({(folder_.path() / "missing.log").string()});
  ASSERT_TRUE(error);
  EXPECT_NE(error->message().find("missing.log"), std::string::npos);
  EXPECT_EQ(error->kind(), FailureKind::FileUnreadable);
  EXPECT_EQ(error->file(), folder_.path() / "missing.log");
  EXPECT_TRUE(error->code() == std::errc::no_such_file_or_directory);
  EXPECT_EQ(store_.ReadFiles.size(), 1u);
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// A file larger than the memory the process may take: the run stops with a
// message naming the file, it does not abort. Run in a child process whose
// address space is limited; the file is sparse, so it costs no disk.
TEST_F(ReadRunTest, RunningOutOfMemoryIsAnErrorNamingTheFile) {
  const std::string big = Write("big.log", "");
  std::filesystem::resize_file(big, std::uint64_t{1} << 30);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit limit{256u << 20, 256u << 20};
    ::setrlimit(RLIMIT_AS, &limit);
    const auto error = Read({big});
    ::_exit(error && error->message() == big + ": not enough memory to read the file" &&
                    error->file() == big
                ? 0
                : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}
#endif

TEST_F(ReadRunTest, BinaryAndEmptyFilesReadWithoutPostings) {
  std::string binary;
  for (int i = 0; i < 70000; ++i) binary += static_cast<char>((i * 131) % 256);
  EXPECT_FALSE(Read({Write("empty.log", ""), Write("binary.log", binary)}));
  EXPECT_TRUE(store_.Postings.empty());
  EXPECT_EQ(store_.ReadFiles.size(), 2u);
}

}  // namespace
}  // namespace tobrel
