#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/read_data_file.h"
#include "core/read_data_load.h"
#include "core/read_run.h"
#include "support/sjis.h"
#include "support/temp_folder.h"
#include "tools/log_generator.h"

namespace tobrel {
namespace {

using testing::S;

constexpr int kYear = 2026;

ArticleRec Posting(int room, int number, std::string_view id, std::string_view handle,
                   std::string_view title) {
  ArticleRec r;
  r.Room = room;
  r.Number = number;
  r.PostedAt = *EncodeDateTime({1997, 5, 12, 23, 45, 0});
  r.CommentTo = number - 1;
  r.CommentCount = 3;
  r.TotalChars = 1234;
  r.QuotedChars = 234;
  r.OwnChars = 1000;
  r.Rank = 7;
  r.Id = id;
  r.Handle = handle;
  r.Title = title;
  return r;
}

void ExpectSamePostings(const std::vector<ArticleRec>& a, const std::vector<ArticleRec>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(a[i].Room, b[i].Room);
    EXPECT_EQ(a[i].Number, b[i].Number);
    EXPECT_EQ(a[i].PostedAt, b[i].PostedAt);
    EXPECT_EQ(a[i].CommentTo, b[i].CommentTo);
    EXPECT_EQ(a[i].CommentCount, b[i].CommentCount);
    EXPECT_EQ(a[i].TotalChars, b[i].TotalChars);
    EXPECT_EQ(a[i].QuotedChars, b[i].QuotedChars);
    EXPECT_EQ(a[i].OwnChars, b[i].OwnChars);
    EXPECT_EQ(a[i].Rank, b[i].Rank);
    EXPECT_EQ(a[i].Id, b[i].Id);
    EXPECT_EQ(a[i].Handle, b[i].Handle);
    EXPECT_EQ(a[i].Title, b[i].Title);
  }
}

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class ReadDataFileTest : public ::testing::Test {
 protected:
  // The failure's message, or nothing when the file was loaded.
  std::optional<std::string> LoadFailure(const std::filesystem::path& path) {
    try {
      LoadReadDataFile(path, store_, candidates_, kYear);
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.file(), path);
      return failure.message();
    }
    return std::nullopt;
  }
  std::optional<std::string> Load(std::string_view bytes) {
    return LoadFailure(folder_.Write("in.Dat", bytes));
  }

  testing::TempFolder folder_{"tobrel-read-data"};
  LogStore store_;
  std::vector<CandidateFile> candidates_;
};

TEST_F(ReadDataFileTest, WritesFilesThenOnePostingALine) {
  LogStore store;
  store.ReadFiles = {"/logs/部屋.log", "/logs/b.log"};
  store.Postings = {Posting(5, 10, "ABC00001", S("たろう"), S("質問です")),
                    Posting(5, 11, "********", "", "a,b")};
  const auto path = WriteReadDataFile(store, folder_.path(), *EncodeDateTime({2026, 12, 3, 4, 5, 6}));
  ASSERT_TRUE(path);
  EXPECT_EQ(path->filename(), "03040506.Dat");
  EXPECT_EQ(FileBytes(*path),
            S("[Files]\r\n/logs/部屋.log\r\n/logs/b.log\r\n[Log Info]\r\n"
              "5,10,1997/05/12 23:45,9,3,1234,234,1000,7,ABC00001,たろう,質問です\r\n"
              "5,11,1997/05/12 23:45,10,3,1234,234,1000,7,********,,a,b\r\n"));
  EXPECT_EQ(ReadDataLines(store).size(), 6u);

  // An empty store writes nothing.
  EXPECT_FALSE(WriteReadDataFile(LogStore{}, folder_.path(), 0));
  EXPECT_EQ(ReadDataFileName(*EncodeDateTime({1999, 1, 31, 23, 0, 9})), "31230009.Dat");
}

TEST_F(ReadDataFileTest, TheShiftCloseWritesBesideTheProgram) {
  const FixedClock clock(*EncodeDateTime({2026, 12, 3, 4, 5, 7}));
  // No settings file stands beside the test program: the configuration folder.
  ::setenv("XDG_CONFIG_HOME", folder_.path().c_str(), 1);
  EXPECT_FALSE(WriteReadDataFileBesideProgram(LogStore{}, clock));
  LogStore store;
  store.Postings = {Posting(5, 10, "ABC00001", "h", "t")};
  const auto path = WriteReadDataFileBesideProgram(store, clock);
  ASSERT_TRUE(path);
  EXPECT_EQ(path->filename(), "03040507.Dat");
  EXPECT_EQ(path->parent_path(), folder_.path() / "tobrel");
  EXPECT_EQ(FileBytes(*path).substr(0, 9), "[Files]\r\n");
  ::unsetenv("XDG_CONFIG_HOME");
}

TEST_F(ReadDataFileTest, WrittenAndLoadedGivesTheSameStore) {
  // Empty handle, commas in the title, titles and handles cut inside a
  // two-byte character, a full-width title of the whole width, a posting
  // whose line is shorter than 46 bytes.
  LogStore written;
  written.ReadFiles = {"/logs/a.log"};
  written.Postings = {
      Posting(5, 10, "ABC00001", S("たろう"), S("質問です")),
      Posting(5, 11, "ABC00002", "", "Re: a, b,, c"),
      Posting(5, 12, "ABC00003", std::string(S("ながいながいハンド")).substr(0, 17),
              std::string(S("とても長いタイトルの発言です。四十一バイト")).substr(0, 41)),
      Posting(5, 13, "********", S("ＳＹＳＯＰ"), S("発言者削除")),
  };
  ArticleRec& tiny = written.Postings.emplace_back(Posting(1, 1, "ABC00004", "a", "b"));
  tiny.CommentTo = tiny.CommentCount = tiny.TotalChars = tiny.QuotedChars = tiny.OwnChars =
      tiny.Rank = 0;
  ASSERT_LT(ReadDataPostingLine(tiny).size(), 46u);

  const auto path = WriteReadDataFile(written, folder_.path(), 0);
  ASSERT_TRUE(path);
  store_.Postings = {Posting(9, 9, "XYZ00009", "before", "before")};
  ASSERT_FALSE(LoadFailure(*path));
  ASSERT_EQ(store_.Postings.size(), 6u);
  store_.Postings.erase(store_.Postings.begin());  // what was there stays first
  ExpectSamePostings(store_.Postings, written.Postings);
  EXPECT_EQ(store_.ReadFiles, written.ReadFiles);
}

TEST_F(ReadDataFileTest, RoundTripOfGeneratedLogs) {
  std::ostringstream log;
  LogGeneratorOptions options;
  options.postings = 3000;
  options.seed = 7;
  GenerateLog(options, log);
  ReadRunInputs inputs;
  inputs.candidates = {{folder_.Write("gen.log", log.str()), true}};
  LogStore written;
  ReadRunObserver observer;
  FixedClock clock(*EncodeDateTime({kYear, 12, 10, 0, 0, 0}));
  ASSERT_FALSE(ReadLogFiles(written, inputs, clock, observer).stopped_by);
  ASSERT_GT(written.Postings.size(), 2000u);

  const auto path = WriteReadDataFile(written, folder_.path(), 0);
  ASSERT_TRUE(path);
  ASSERT_FALSE(LoadFailure(*path));
  ExpectSamePostings(store_.Postings, written.Postings);
  EXPECT_EQ(store_.ReadFiles, written.ReadFiles);
}

TEST_F(ReadDataFileTest, LoadingAppendsPathsToBothListsAndChecksTheFirstCandidate) {
  candidates_ = {{"/a.log", false}};
  store_.ReadFiles = {"/a.log"};
  const std::string file = "junk\r\n[Files]\r\n\r\n/a.log\r\n/b.log\r\n[Log Info]\r\n\r\n";
  ASSERT_FALSE(Load(file));
  ASSERT_FALSE(Load(file));  // the same file twice lists the paths twice
  EXPECT_EQ(store_.ReadFiles,
            (std::vector<std::string>{"/a.log", "/a.log", "/b.log", "/a.log", "/b.log"}));
  ASSERT_EQ(candidates_.size(), 5u);
  EXPECT_TRUE(candidates_[0].checked);   // the first entry with that path
  EXPECT_FALSE(candidates_[1].checked);  // the appended copy stays as appended
  EXPECT_TRUE(candidates_[2].checked);
  EXPECT_FALSE(candidates_[4].checked);
}

TEST_F(ReadDataFileTest, AFaultyFileStopsTheLoadAndChangesNothing) {
  const std::string good = "5,10,1997/05/12 23:45,0,0,1,0,1,0,ABC00001,h,t\r\n";
  const struct {
    std::string bytes;
    std::string message;  // after "<path>"
  } cases[] = {
      {"", ": not a read-data file (no \"[Files]\" line)"},
      {"ID,Handle\r\nABC00001,x\r\n", ": not a read-data file (no \"[Files]\" line)"},
      {"[Files]\r\n/a.log\r\n" + good, "(3): the file ends before its \"[Log Info]\" line"},
      {"[Files]\r\n[Log Info]\r\n" + good + "5,11,1997/05/12 23:4", "(4): too few fields"},
      {"[Files]\r\n[Log Info]\r\n5,10,1997/05/12 23:45,0,0,1,0,1,0,ABC00001\r\n",
       "(3): too few fields"},
      {"[Files]\r\n[Log Info]\r\n5,10,1997/05/12 23:45,0,0,1,0,1,0,ABC00001,h\r\n",
       "(3): too few fields"},  // 11 fields
      {"[Files]\r\n[Log Info]\r\n5,10,1997/05/12 23:45,0,0,1,0,1,ABC00001,h,t\r\n",
       "(3): 'ABC00001' is not a valid integer value"},
      {"[Files]\r\n[Log Info]\r\n5,10,1997/05/12 23:45,0,0,1,0,1,0,0,ABC00001,h,t\r\n",
       "(3): '0' is not a member ID"},  // 13 fields, one of them a number too many
      {"[Files]\r\n[Log Info]\r\n5,2147483648,1997/05/12 23:45,0,0,1,0,1,0,ABC00001,h,t\r\n",
       "(3): '2147483648' is not a valid integer value"},
      {"[Files]\r\n[Log Info]\r\n5,10,1997/02/30 23:45,0,0,1,0,1,0,ABC00001,h,t\r\n",
       "(3): '1997/02/30 23:45' is not a valid date and time"},
      {"[Files]\r\n[Log Info]\r\n5,10,1997/05/12 24:00,0,0,1,0,1,0,ABC00001,h,t\r\n",
       "(3): '1997/05/12 24:00' is not a valid date and time"},
      {"[Files]\r\n[Log Info]\r\n5,10,1997/05/12 23:45,x,0,1,0,1,0,ABC00001,h,t\r\n",
       "(3): 'x' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    store_ = {};
    store_.ReadFiles = {"/before.log"};
    store_.Postings = {Posting(1, 1, "ABC00009", "h", "t")};
    candidates_ = {{"/before.log", true}};
    const auto error = Load(c.bytes);
    ASSERT_TRUE(error) << c.bytes;
    EXPECT_EQ(*error, (folder_.path() / "in.Dat").string() + c.message) << c.bytes;
    EXPECT_EQ(store_.Postings.size(), 1u);
    EXPECT_EQ(store_.ReadFiles.size(), 1u);
    EXPECT_EQ(candidates_.size(), 1u);
  }
  const auto missing = LoadFailure(folder_.path() / "none.Dat");
  ASSERT_TRUE(missing);
  EXPECT_NE(missing->find("none.Dat"), std::string::npos);
}

TEST_F(ReadDataFileTest, NegativeCharactersAreRefused) {
  // Fields 6 to 8: total, quoted and own characters. A negative comment
  // target, comment count (a sub-header may print one) and rank stay as
  // they are.
  const struct {
    std::string line;
    std::string message;  // after "<path>(4)"
  } cases[] = {
      {"5,10,1997/05/12 23:45,0,0,-1,0,1,0,ABC00001,h,t",
       ": '-1' is not a valid number of characters"},
      {"5,10,1997/05/12 23:45,0,0,1,-2147483648,1,0,ABC00001,h,t",
       ": '-2147483648' is not a valid number of characters"},
      {"5,10,1997/05/12 23:45,0,0,1,0,-7,0,ABC00001,h,t",
       ": '-7' is not a valid number of characters"},
  };
  for (const auto& c : cases) {
    store_ = {};
    candidates_ = {};
    const auto error =
        Load("[Files]\r\n[Log Info]\r\n5,9,1997/05/12 23:45,-3,0,1,0,1,-1,ABC00001,h,t\r\n" +
             c.line + "\r\n");
    ASSERT_TRUE(error) << c.line;
    EXPECT_EQ(*error, (folder_.path() / "in.Dat").string() + "(4)" + c.message) << c.line;
    EXPECT_TRUE(store_.Postings.empty());
  }
  ASSERT_FALSE(Load("[Files]\r\n[Log Info]\r\n5,9,1997/05/12 23:45,-3,-2,0,0,0,-1,ABC00001,h,t\r\n"));
  ASSERT_EQ(store_.Postings.size(), 1u);
  EXPECT_EQ(store_.Postings[0].CommentTo, -3);
  EXPECT_EQ(store_.Postings[0].CommentCount, -2);
  EXPECT_EQ(store_.Postings[0].Rank, -1);
}

TEST_F(ReadDataFileTest, LfAndCrOnlyFilesAndTwoDigitYearsLoad) {
  ASSERT_FALSE(Load("[Files]\n/a.log\n[Log Info]\n5,10,97/05/12 23:45,0,0,1,0,1,0,ABC00001,h,t\n"));
  ASSERT_FALSE(Load("[Files]\r/a.log\r[Log Info]\r5,10,1997/05/12 23:45:30,0,0,1,0,1,0,ABC00002,,"));
  ASSERT_EQ(store_.Postings.size(), 2u);
  EXPECT_EQ(store_.Postings[0].PostedAt, *EncodeDateTime({1997, 5, 12, 23, 45, 0}));
  EXPECT_EQ(store_.Postings[1].PostedAt, *EncodeDateTime({1997, 5, 12, 23, 45, 30}));
  EXPECT_EQ(store_.Postings[1].Id, "ABC00002");
  EXPECT_EQ(store_.Postings[1].Handle, "");
  EXPECT_EQ(store_.Postings[1].Title, "");
}

TEST_F(ReadDataFileTest, DataSwitchNamesAnExistingFile) {
  const std::string file = folder_.Write("x.Dat", "[Files]\r\n");
  EXPECT_EQ(DataSwitchPath("/D" + file), std::filesystem::path(file));
  EXPECT_EQ(DataSwitchPath("/d" + file), std::filesystem::path(file));
  EXPECT_FALSE(DataSwitchPath("/P" + file));
  EXPECT_FALSE(DataSwitchPath(file));
  EXPECT_FALSE(DataSwitchPath("/D" + file + ".none"));
  EXPECT_FALSE(DataSwitchPath("/Dx"));  // shorter than 4 bytes
  EXPECT_FALSE(DataSwitchPath("/D" + folder_.path().string()));  // a folder
}

}  // namespace
}  // namespace tobrel
