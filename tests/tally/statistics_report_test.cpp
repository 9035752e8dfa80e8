// The statistics report: room blocks, both title lists and the missing
// numbers, whole reports against golden files and the gaps case by case.
#include <gtest/gtest.h>

#include "core/log_store.h"
#include "tally/missing_numbers.h"
#include "tally/statistics_report.h"
#include "tests/tally/tally_fixture.h"

namespace tobrel {
namespace {

using testing::ExpectGolden;
using testing::Posting;
using testing::S;

ArticleRec WithComment(ArticleRec posting, int to) {
  posting.CommentTo = to;
  return posting;
}

// Two rooms read out of order. Room 3 has a posting deleted by the
// operator, one deleted by its poster, a poster with two postings, a
// comment target outside the range and a posting numbered out of time
// order; room 7 lies partly outside the number range.
LogStore TwoRooms() {
  LogStore store;
  store.Postings = {
      Posting(7, 120, "GHI00003", "jiro", "1998/02/01 09:00", 10, "最後の発言"),
      WithComment(Posting(3, 2, "DEF00002", "はなこ", "1997/12/31 23:59", 10, "Re: はじめまして"), 1),
      Posting(3, 1, "ABC00001", "たろう", "1997/12/30 10:00", 10, "はじめまして"),
      Posting(3, 4, "********", "", "1998/01/02 08:00", 10, "（削除）"),
      WithComment(Posting(3, 5, "ABC00001", "たろう", "1998/01/03 12:30", 10,
                          "長いタイトルは四十一バイトで切れますABCDEFGH"),
                  2),
      Posting(3, 9, "JKL00004", "ｻﾌﾞﾛｳ", "1998/01/04 00:00", 10, "発言者削除"),
      Posting(3, 8, "MNO00005", "みのる", "1998/01/05 07:07", 10, "番号が前後"),
      WithComment(Posting(7, 1, "ABC00001", "たろう", "1998/01/10 10:00", 10, "別の部屋"), 99),
      Posting(7, 70000, "PQR00006", "範囲外", "1998/01/11 10:00", 10, "範囲外"),
  };
  return store;
}

ReportText StatsReport(LogStore& store, const TallySettings& settings,
                       const StatsTallyOptions& options) {
  TallyProgress progress;
  ReportText report;
  StatsTobrel(store, settings, options, progress, report);
  return report;
}

TEST(StatisticsReport, EveryBlockInBothTitleForms) {
  static const struct {
    bool room_information;
    bool title_list;
    TitleListForm form;
    bool missing;
    const char* golden;
  } cases[] = {
      {true, false, TitleListForm::TitleList, true, "stats_rooms_missing.txt"},
      {true, true, TitleListForm::TitleList, false, "stats_titles_form0.txt"},
      {false, true, TitleListForm::RtCommand, true, "stats_titles_form1_missing.txt"},
  };
  for (const auto& c : cases) {
    LogStore store = TwoRooms();
    TallySettings settings;
    settings.target.first_number = "1";
    settings.target.last_number = "130";
    ExpectGolden(StatsReport(store, settings, {c.room_information, c.title_list, c.form, c.missing}),
                 c.golden);
  }
}

TEST(StatisticsReport, DateRangeTakesNoMissingNumbersAndAnEmptyRangeNothing) {
  LogStore store = TwoRooms();
  TallySettings settings;
  settings.target.kind = TargetKind::ByDate;
  settings.target.first_day = testing::At("1998/01/01 00:00");
  settings.target.last_day = testing::At("1998/01/04 00:00");
  ExpectGolden(StatsReport(store, settings, {true, false, TitleListForm::TitleList, true}),
               "stats_dates.txt");

  settings.target.kind = TargetKind::ByNumber;
  settings.target.first_number = "200";
  settings.target.last_number = "100";
  EXPECT_TRUE(StatsReport(store, settings, {true, true, TitleListForm::TitleList, true}).empty());
}

TEST(StatisticsReport, TitleListShowsRecountedComments) {
  LogStore store = TwoRooms();
  store.Postings[2].CommentCount = 9;  // "はじめまして" as printed; one comment in fact
  const ReportText report = StatsReport(store, {}, {false, true, TitleListForm::RtCommand, false});
  EXPECT_EQ(report[2], S("     1 ABC00001 12/30 10:00         1 はじめまして"));
}

TEST(MissingNumbers, GapsAndLines) {
  static const struct {
    std::vector<int> numbers;  // in list order
    int first, last;
    std::vector<std::string> lines;
  } cases[] = {
      {{1, 2, 3, 5, 9}, 1, 10, {" #00004  #00006-00008 #00010 "}},
      {{1, 2}, 1, 3, {" #00003 "}},
      {{1, 2}, 1, 4, {" #00003-00004"}},
      {{3, 4}, 1, 4, {" #00001-00002"}},
      {{1, 2, 3}, 1, 3, {}},
      {{5, 3, 4}, 1, 5, {" #00001-00004 #00005 "}},  // gaps are measured in list order
      {{0, 2, 100}, 1, 99, {" #00001  #00003-00099"}},
      // Each single gap takes 8 bytes: a line is written once it passes 67.
      {{1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23}, 1, 24,
       {" #00002  #00004  #00006  #00008  #00010  #00012  #00014  #00016  #00018 ",
        " #00020  #00022  #00024 "}},
  };
  for (const auto& c : cases) {
    std::vector<ArticleRec> postings;
    for (int number : c.numbers)
      postings.push_back(Posting(1, number, "ABC00001", "h", "1997/05/01 10:00", 1));
    ReportText report;
    WriteMissingNumbers(postings, 1, c.first, c.last, report);
    ASSERT_GE(report.size(), 4u);
    EXPECT_EQ(report[1], S("【01番会議室ログの欠番情報】"));
    const ReportText lines(report.begin() + 4, report.end());
    EXPECT_EQ(lines, c.lines) << ::testing::PrintToString(c.numbers);
  }
}

}  // namespace
}  // namespace tobrel
