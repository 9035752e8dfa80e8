// The posting-count tally: whole reports of every order, with and without
// IDs, compared with reviewed golden files.
#include <gtest/gtest.h>

#include "tally/count_tally.h"
#include "tests/tally/tally_fixture.h"

namespace tobrel {
namespace {

using testing::ExpectGolden;
using testing::ManyPosters;
using testing::Posting;
using testing::S;

// Five posters with ties in every key, a handle that changes, full-width and
// half-width katakana handles, and postings that are never counted.
LogStore SmallStore() {
  LogStore store;
  store.Postings = {
      Posting(1, 1, "ABC00001", "たろう", "1997/05/01 10:00", 100),
      Posting(1, 2, "DEF00002", "hanako", "1997/05/01 11:00", 400),
      Posting(1, 3, "ABC00001", "たろう", "1997/05/02 09:00", 200),
      Posting(1, 4, "GHI00003", "jiro", "1997/05/03 23:59", 50),
      Posting(2, 1, "JKL00004", "sabu", "1997/05/04 00:00", 1200),
      Posting(1, 5, "ABC00001", "たろう", "1997/05/04 12:00", 300),
      Posting(1, 6, "DEF00002", "hanako", "1997/05/05 13:00", 200),
      Posting(2, 2, "GHI00003", "jiro", "1997/05/06 14:00", 70),
      Posting(2, 3, "JKL00004", "三郎ＳＡＢＵＲＯ", "1997/05/07 15:00", 300),
      Posting(2, 4, "MNO00005", "ﾐﾉﾙ", "1997/05/08 16:00", 300),
      Posting(2, 5, "********", "sysop", "1997/05/08 17:00", 9999),
      Posting(2, 6, "PQR00006", "pqr", "1997/05/08 18:00", 8888, "発言者削除"),
      Posting(2, 70000, "STU00007", "stu", "1997/05/08 19:00", 7777),
  };
  return store;
}

ReportText RunCountTally(LogStore& store, const TallySettings& settings, const CountTallyOptions& options) {
  TallyProgress progress;
  ReportText report;
  NormalTobrel(store, settings, options, progress, report);
  return report;
}

TEST(CountTally, EveryOrderWithAndWithoutIds) {
  static const struct {
    CountOrder order;
    bool hide_ids;
    const char* golden;
  } cases[] = {
      {CountOrder::ByPostings, false, "count_order0.txt"},
      {CountOrder::ByPostings, true, "count_order0_noid.txt"},
      {CountOrder::ByChars, false, "count_order1.txt"},
      {CountOrder::ByChars, true, "count_order1_noid.txt"},
      {CountOrder::ByPostingsCumulative, false, "count_order2.txt"},
      {CountOrder::ByPostingsCumulative, true, "count_order2_noid.txt"},
      {CountOrder::ByCharsCumulative, false, "count_order3.txt"},
      {CountOrder::ByCharsCumulative, true, "count_order3_noid.txt"},
  };
  for (const auto& c : cases) {
    LogStore store = SmallStore();
    TallySettings settings;
    settings.hide_ids = c.hide_ids;
    ExpectGolden(RunCountTally(store, settings, {c.order, {}}), c.golden);
  }
}

TEST(CountTally, RowsOfOrder0TakeTheirColumns) {
  LogStore store = SmallStore();
  const ReportText report = RunCountTally(store, {}, {});
  // rank 1-4, ID 7-14, handle 17-32, count to 41, characters to 52 and
  // their rank 53-58, average to 69 and its rank 70-75.
  const std::string blanks10(10, ' ');
  EXPECT_EQ(report[7], "   1  ABC00001  " + S("たろう") + blanks10 +
                           "        3        600(   2)        200(   4)");
  EXPECT_EQ(report[7].size(), 75u);
  EXPECT_EQ(report[8], "   2  JKL00004  " + S("三郎ＳＡＢＵＲＯ") +
                           "        2      1,500(   1)        750(   1)");
  EXPECT_EQ(report[8].size(), 75u);
}

TEST(CountTally, EmptyTargetGivesZeroTotalsAndTheInitialBestPosting) {
  LogStore store = SmallStore();
  TallySettings settings;
  settings.target = {TargetKind::ByNumber, "10", "9"};
  CountTallyOptions options;
  options.time_tables = {true, true, true, true, true, true};
  ExpectGolden(RunCountTally(store, settings, options), "count_empty_target.txt");
}

TEST(CountTally, SamePersonIdsCountAsOneAndTheBestPostingKeepsItsOwnId) {
  LogStore store;
  store.Postings = {
      Posting(1, 1, "ABC00001", "main", "1997/05/01 10:00", 100),
      Posting(1, 2, "XYZ00009", "second", "1997/05/02 10:00", 500),
      Posting(1, 3, "DEF00002", "other", "1997/05/03 10:00", 500),  // ties: not the best
  };
  TallySettings settings;
  settings.MapSameId = [](std::string_view id) {
    return std::string(id == "XYZ00009" ? "ABC00001" : id);
  };
  const ReportText report = RunCountTally(store, settings, {});
  EXPECT_EQ(report[7], "   1  ABC00001  second    " "      " "        2        600(   1)        300(   2)");
  EXPECT_EQ(report[8], "   2  DEF00002  other     " "       " "       1        500(   2)        500(   1)");
  // 14 bytes, 20 blanks, the count to column 41, characters to 52, 10
  // blanks, the average to 69.
  EXPECT_EQ(report[10], S("合計      2 人") + std::string(20, ' ') + "      3      1,100" +
                            std::string(10, ' ') + "    366");
  EXPECT_EQ(report[12], S("最高文字数発言 #00002( 1)97/05/02 10:00 XYZ00009 second             500文字"));
}

TEST(CountTally, CompactListingBelowRank100) {
  static const struct {
    CountOrder order;
    bool hide_ids;
    const char* golden;
  } cases[] = {
      {CountOrder::ByPostings, false, "count_compact.txt"},
      {CountOrder::ByPostingsCumulative, true, "count_compact_noid.txt"},
  };
  for (const auto& c : cases) {
    LogStore store = ManyPosters();
    TallySettings settings;
    settings.top100_only = true;
    settings.hide_ids = c.hide_ids;
    ExpectGolden(RunCountTally(store, settings, {c.order, {}}), c.golden);
  }
}

struct RecordingProgress : TallyProgress {
  void ShowProgress(std::string_view text) override { texts.push_back(cp932::ToUtf8(text)); }
  std::vector<std::string> texts;
};

TEST(CountTally, ShowsItsProgressTextsAndClearsThem) {
  LogStore store = SmallStore();
  CountTallyOptions options;
  options.time_tables = {true, true, true, true, true, true};
  RecordingProgress progress;
  ReportText report;
  NormalTobrel(store, {}, options, progress, report);
  EXPECT_EQ(progress.texts,
            (std::vector<std::string>{"発言集計中...", "発言集計情報の表示中...",
                                      "日付別集計表を作成中...", "月別集計表を作成中...",
                                      "時間帯別集計表を作成中...", "曜日別集計表を作成中...",
                                      "ID別時間帯集計表を作成中...", "", "曜日別時間帯集計表を作成中...",
                                      ""}));
}

}  // namespace
}  // namespace tobrel
