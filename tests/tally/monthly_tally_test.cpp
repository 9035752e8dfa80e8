// The monthly tally: the month range's rules and checks, and whole reports
// of every kind against golden files.
#include <gtest/gtest.h>

#include <optional>

#include "platform/failure.h"

#include "tally/month_range.h"
#include "tally/monthly_tally.h"
#include "tests/tally/tally_fixture.h"

namespace tobrel {
namespace {

using testing::At;
using testing::ExpectGolden;
using testing::Posting;
using testing::S;

MonthRange Range(int from_year, int from_month, int to_year, int to_month) {
  return {{from_year, from_month}, {to_year, to_month}};
}

TEST(MonthRange, ChecksAndMonths) {
  static const struct {
    MonthRange range;
    bool refused;
    std::vector<std::string> labels;
  } cases[] = {
      {Range(1998, 11, 1999, 2), false, {"1998/11", "1998/12", "1999/01", "1999/02"}},
      {Range(1998, 4, 1999, 3), false,
       {"1998/04", "1998/05", "1998/06", "1998/07", "1998/08", "1998/09", "1998/10", "1998/11",
        "1998/12", "1999/01", "1999/02", "1999/03"}},
      {Range(1998, 1, 1998, 12), false,
       {"1998/01", "1998/02", "1998/03", "1998/04", "1998/05", "1998/06", "1998/07", "1998/08",
        "1998/09", "1998/10", "1998/11", "1998/12"}},
      {Range(1998, 5, 1998, 6), false, {"1998/05", "1998/06"}},
      {Range(1998, 4, 1999, 4), true, {}},   // thirteen months
      {Range(1998, 12, 2000, 1), true, {}},  // years more than one apart
      {Range(1998, 5, 1998, 5), true, {}},   // a single month
      {Range(1998, 6, 1998, 5), true, {}},
      {Range(1999, 1, 1998, 12), true, {}},
  };
  // The message of the range's refusal, or nothing.
  const auto refusal_of = [](const MonthRange& range) -> std::optional<std::string> {
    try {
      CheckMonthRange(range);
    } catch (const Failure& refused) {
      EXPECT_EQ(refused.kind(), FailureKind::TallyRefused);
      return refused.message();
    }
    return std::nullopt;
  };
  for (const auto& c : cases) {
    const auto refused = refusal_of(c.range);
    EXPECT_EQ(refused.has_value(), c.refused) << c.range.from.year << "/" << c.range.from.month;
    if (refused) {
      EXPECT_EQ(*refused, S("対象年月が不正です。"));
      continue;
    }
    std::vector<std::string> labels;
    for (const YearMonth& month : MonthsOfRange(c.range)) labels.push_back(MonthLabel(month));
    EXPECT_EQ(labels, c.labels);
  }
}

TEST(MonthRange, MonthFieldsCarryIntoTheirYears) {
  static const struct {
    YearMonth stepped, shown;
  } cases[] = {
      {{1998, 13}, {1999, 1}},
      {{1998, 0}, {1997, 12}},
      {{1, 0}, {0, 12}},
      {{0, 0}, {0, 1}},
      {{1998, 5}, {1998, 5}},
  };
  for (const auto& c : cases) {
    MonthRange range{c.stepped, c.stepped};
    FromMonthChange(range);
    EXPECT_EQ(range.from, c.shown) << c.stepped.year << "/" << c.stepped.month;
    EXPECT_EQ(range.to, c.stepped);
    ToMonthChange(range);
    EXPECT_EQ(range.to, c.shown);
  }
}

TEST(MonthRange, StartUpValues) {
  static const struct {
    const char* today;
    MonthRange range;
  } cases[] = {
      {"2026/12/10 00:00", Range(2026, 1, 2026, 12)},
      {"2026/03/15 00:00", Range(2025, 4, 2026, 3)},
      {"2025/01/01 00:00", Range(2024, 2, 2025, 1)},
  };
  for (const auto& c : cases) {
    const MonthRange range = DefaultMonthRange(At(c.today));
    EXPECT_EQ(range.from, c.range.from) << c.today;
    EXPECT_EQ(range.to, c.range.to) << c.today;
  }
}

// Posters over 1998/11 .. 1999/02. ABC00001 stays first by postings and
// takes in its second ID ZZZ00009 in January; GHI00003 falls from 3 to 5 in
// December, MNO00005 rises from 5 to 3; PQR00006 is absent in December;
// VWX00008 posts only before the range; YZA00010 writes no characters.
LogStore MonthStore() {
  static const struct {
    const char* id;
    const char* handle;
    const char* month;  // "yyyy/mm"
    int postings;
    int chars, quoted;  // per posting
  } rows[] = {
      {"VWX00008", "hhh", "1998/10", 1, 10, 0},
      {"ABC00001", "たろう", "1998/11", 6, 100, 10},
      {"DEF00002", "はなこ", "1998/11", 5, 80, 0},
      {"GHI00003", "jiro", "1998/11", 4, 30, 0},
      {"JKL00004", "ｻﾌﾞﾛｳ", "1998/11", 3, 500, 100},
      {"MNO00005", "みのる", "1998/11", 2, 10, 0},
      {"PQR00006", "fff", "1998/11", 1, 1000, 0},
      {"ABC00001", "たろう", "1998/12", 10, 50, 0},
      {"DEF00002", "はなこ", "1998/12", 8, 40, 20},
      {"GHI00003", "jiro", "1998/12", 3, 300, 0},
      {"JKL00004", "ｻﾌﾞﾛｳ", "1998/12", 5, 20, 0},
      {"MNO00005", "みのる", "1998/12", 6, 10, 5},
      {"ABC00001", "たろう", "1999/01", 3, 200, 50},
      {"PQR00006", "ふぁいぶ", "1999/01", 4, 25, 0},
      {"DEF00002", "はなこ", "1999/01", 2, 10, 0},
      {"ZZZ00009", "たろう２", "1999/01", 1, 100, 0},
      {"STU00007", "ggg", "1999/02", 2, 70, 0},
      {"YZA00010", "zero", "1999/02", 1, 0, 0},
  };
  LogStore store;
  for (const auto& row : rows) {
    for (int i = 0; i < row.postings; ++i) {
      const std::string when = std::string(row.month) + "/1" + std::to_string(i) + " 10:00";
      ArticleRec posting = Posting(1, static_cast<int>(store.Postings.size()) + 1, row.id,
                                   row.handle, when, row.chars);
      posting.QuotedChars = row.quoted;
      posting.OwnChars = row.chars - row.quoted;
      store.Postings.push_back(posting);
    }
  }
  // Never counted: a posting deleted by the operator, one by its poster.
  store.Postings.push_back(Posting(1, 900, "********", "", "1998/12/20 10:00", 9999));
  store.Postings.push_back(
      Posting(1, 901, "DEF00002", "はなこ", "1998/12/21 10:00", 9999, "発言者削除"));
  return store;
}

std::optional<std::string> RunMonthTally(const MonthTallyOptions& options, bool hide_ids,
                                         ReportText& report) {
  const LogStore store = MonthStore();
  TallySettings settings;
  settings.hide_ids = hide_ids;
  settings.MapSameId = [](std::string_view id) {
    return std::string(id == "ZZZ00009" ? "ABC00001" : id);
  };
  TallyProgress progress;
  try {
    MonthTobrel(store, settings, options, progress, report);
  } catch (const Failure& refused) {
    EXPECT_EQ(refused.kind(), FailureKind::TallyRefused);
    return refused.message();
  }
  return std::nullopt;
}

TEST(MonthlyTally, EveryKind) {
  static const struct {
    MonthKind kind;
    const char* id;
    bool hide_ids;
    const char* golden;
  } cases[] = {
      {MonthKind::ByPostings, "", false, "month_kind0.txt"},
      {MonthKind::ByPostings, "", true, "month_kind0_noid.txt"},
      {MonthKind::ByChars, "", false, "month_kind1.txt"},
      {MonthKind::OneId, "ABC00001", false, "month_kind2.txt"},
      {MonthKind::OneId, "YZA00010", true, "month_kind2_no_chars.txt"},
  };
  for (const auto& c : cases) {
    ReportText report;
    const auto refused =
        RunMonthTally({c.kind, Range(1998, 11, 1999, 2), c.id}, c.hide_ids, report);
    EXPECT_FALSE(refused) << c.golden;
    ExpectGolden(report, c.golden);
  }
}

TEST(MonthlyTally, ChecksComeInOrderAndWriteNothing) {
  static const struct {
    MonthKind kind;
    const char* id;
    MonthRange range;
    const char* message;  // empty: accepted, with nothing to write
  } cases[] = {
      {MonthKind::OneId, "abc00001", Range(1998, 5, 1998, 5), "対象IDが不正です"},
      {MonthKind::OneId, "ABC0001", Range(1998, 11, 1999, 2), "対象IDが不正です"},
      {MonthKind::OneId, "ABC00001", Range(1998, 5, 1998, 5), "対象年月が不正です。"},
      {MonthKind::ByPostings, "abc", Range(1998, 4, 1999, 4), "対象年月が不正です。"},
      {MonthKind::OneId, "ZZZ00009", Range(1998, 11, 1999, 2), ""},  // counted as ABC00001
      {MonthKind::OneId, "QQQ00000", Range(1998, 11, 1999, 2), ""},
  };
  for (const auto& c : cases) {
    ReportText report;
    const auto refused = RunMonthTally({c.kind, c.range, c.id}, false, report);
    EXPECT_EQ(refused.value_or(""), S(c.message)) << c.id;
    EXPECT_TRUE(report.empty()) << c.id;
  }
  EXPECT_EQ(UpperCaseTargetId("abc00001"), "ABC00001");
}

}  // namespace
}  // namespace tobrel
