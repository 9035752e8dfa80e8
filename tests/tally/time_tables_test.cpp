// The time-distribution tables: scales and cell widths at their boundaries,
// whole tables against a golden file, and the order the date table leaves.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/log_store.h"
#include "tally/time_table_parts.h"
#include "tally/time_tables.h"
#include "tests/tally/tally_fixture.h"

namespace tobrel {
namespace {

using testing::ExpectGolden;
using testing::Posting;
using testing::S;

TEST(TimeTableParts, BarScaleSteps) {
  static const struct {
    std::int64_t max, scale;
  } cases[] = {{0, 1},      {50, 1},     {51, 2},     {100, 2},     {101, 4},
               {200, 4},    {201, 10},   {500, 10},   {501, 20},    {1000, 20},
               {1001, 40},  {2000, 40},  {2001, 100}, {5000, 100},  {5001, 500}};
  for (const auto& c : cases) EXPECT_EQ(BarScale(c.max), c.scale) << c.max;
  EXPECT_EQ(CountAndBar(1, 2), "|     1|");
  EXPECT_EQ(CountAndBar(5, 2), "|     5|**");
}

TEST(TimeTableParts, CellWidthSteps) {
  static const struct {
    std::int64_t max;
    int width;
  } cases[] = {{0, 2},     {99, 2},    {100, 3},    {999, 3},     {1000, 4},
               {9999, 4},  {10000, 5}, {99999, 5},  {100000, 7}};
  for (const auto& c : cases) EXPECT_EQ(CellWidth(c.max), c.width) << c.max;
}

TimeTableChoice AllTables() { return {true, true, true, true, true, true}; }

ReportText Tables(std::vector<ArticleRec>& postings, const TimeTableChoice& choice,
                  TallyTarget range = {}) {
  TallyProgress progress;
  ReportText report;
  WriteTimeTables(postings, TargetTest(range), choice, progress, report);
  return report;
}

// Postings over two months, out of time order, with two days that tie for
// the most postings, one ID with two handles, and postings never counted.
std::vector<ArticleRec> Spread() {
  return {
      Posting(1, 10, "DEF00002", "hanako", "1997/06/02 23:10", 1),
      Posting(1, 1, "ABC00001", "たろう", "1997/05/31 09:00", 1),
      Posting(1, 2, "ABC00001", "たろう", "1997/05/31 09:30", 1),
      Posting(1, 3, "DEF00002", "hanako", "1997/05/31 22:00", 1),
      Posting(1, 11, "DEF00002", "hana", "1997/06/02 23:50", 1),
      Posting(1, 12, "ABC00001", "たろう", "1997/06/02 00:00", 1),
      Posting(1, 13, "GHI00003", "三郎ＳＡＢＵＲＯ", "1997/06/08 12:00", 1),
      Posting(1, 4, "GHI00003", "三郎ＳＡＢＵＲＯ", "1997/05/01 12:59", 1),
      Posting(1, 14, "********", "sysop", "1997/06/08 13:00", 1),
      Posting(1, 15, "JKL00004", "jkl", "1997/06/08 13:00", 1, "発言者削除"),
  };
}

TEST(TimeTables, AllSixTables) {
  std::vector<ArticleRec> postings = Spread();
  ExpectGolden(Tables(postings, AllTables()), "time_tables.txt");
}

TEST(TimeTables, DateTableLeavesThePostingsInTimeOrder) {
  std::vector<ArticleRec> postings = Spread();
  TimeTableChoice choice;
  choice.by_month = true;
  Tables(postings, choice);
  EXPECT_FALSE(std::is_sorted(postings.begin(), postings.end(), OrderByTime));
  choice.by_date = true;
  Tables(postings, choice);
  EXPECT_TRUE(std::is_sorted(postings.begin(), postings.end(), OrderByTime));
  EXPECT_EQ(postings[0].Number, 4);
}

// `count` postings of one ID on 1997/05/01 at 10:xx.
std::vector<ArticleRec> OneBusyHour(int count) {
  std::vector<ArticleRec> postings;
  for (int i = 0; i < count; ++i)
    postings.push_back(Posting(1, i + 1, "ABC00001", "a", "1997/05/01 10:00", 1));
  return postings;
}

TEST(TimeTables, BarsAtTheScaleBoundary) {
  TimeTableChoice choice;
  choice.by_date = true;
  std::vector<ArticleRec> postings = OneBusyHour(50);
  ReportText report = Tables(postings, choice);
  EXPECT_EQ(report[3], S("年/月/日(曜)|発言数| * = 1発言 ():発言者数"));
  EXPECT_EQ(report[5], S("97/05/01(木)|    50|") + std::string(50, '*') + " (1)");
  postings = OneBusyHour(51);
  report = Tables(postings, choice);
  EXPECT_EQ(report[3], S("年/月/日(曜)|発言数| * = 2発言 ():発言者数"));
  EXPECT_EQ(report[5], S("97/05/01(木)|    51|") + std::string(25, '*') + " (1)");
}

TEST(TimeTables, CellWidthFollowsTheLargestCell) {
  TimeTableChoice choice;
  choice.by_id_hour = true;
  choice.by_weekday_hour = true;
  std::vector<ArticleRec> postings = OneBusyHour(99);
  // A second ID posts less but at other hours; the width still follows 99.
  postings.push_back(Posting(1, 500, "DEF00002", "d", "1997/05/02 03:00", 1));
  ReportText report = Tables(postings, choice);
  const std::string two_digit_hours =
      "00 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 ";
  EXPECT_EQ(report[2], std::string(2 * 24 + 34, '='));
  EXPECT_EQ(report[3], S("ID      |ハンドル　　　　|") + two_digit_hours + S("合計"));
  EXPECT_EQ(report[12], S("曜日|") + two_digit_hours + S("合計"));

  postings = OneBusyHour(100);
  report = Tables(postings, choice);
  std::string three_column_hours;
  for (int hour = 0; hour < 24; ++hour)
    three_column_hours += (hour < 10 ? "  " : " ") + std::to_string(hour) + " ";
  EXPECT_EQ(report[2], std::string(3 * 24 + 34, '='));
  EXPECT_EQ(report[3], S("ID      |ハンドル　　　　|") + three_column_hours + S("合計"));
  EXPECT_EQ(report[4], "--------+----------------+" + [] {
    std::string rule;
    for (int hour = 0; hour < 24; ++hour) rule += "---+";
    return rule;
  }() + "-----");
}

// Without the date table the postings stay out of time order and the months
// are counted apart; they must come out as with it.
TEST(TimeTables, MonthsOutOfTimeOrderAsInTimeOrder) {
  std::vector<ArticleRec> postings = Spread();
  TimeTableChoice months_only;
  months_only.by_month = true;
  const ReportText apart = Tables(postings, months_only);
  const ReportText all = Tables(postings, AllTables());
  ASSERT_FALSE(apart.empty());
  EXPECT_NE(std::search(all.begin(), all.end(), apart.begin(), apart.end()), all.end());
}

}  // namespace
}  // namespace tobrel
