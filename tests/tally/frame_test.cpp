// The shared frame of the tallies: target test, target lines, per-ID
// accumulation, ranking, fields and the compact listing.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/failure.h"
#include "tally/compact_listing.h"
#include "tally/id_accumulator.h"
#include "tally/ranking.h"
#include "tally/report_fields.h"
#include "tally/target_test.h"
#include "tests/tally/tally_fixture.h"

namespace tobrel {
namespace {

using testing::At;
using testing::Posting;
using testing::S;

TEST(TargetTest, NumberRangeIncludesBothEnds) {
  TallyTarget range;  // "1" to "65000"
  const TargetTest test(range);
  static const struct {
    int number;
    bool in;
  } cases[] = {{0, false}, {1, true}, {65000, true}, {65001, false}};
  for (const auto& c : cases)
    EXPECT_EQ(test.Counts(Posting(1, c.number, "ABC00001", "h", "1997/05/01 10:00", 1)), c.in)
        << c.number;
}

TEST(TargetTest, StartAfterEndTakesNothing) {
  TallyTarget range;
  range.first_number = "10";
  range.last_number = "9";
  const TargetTest test(range);
  for (int number : {8, 9, 10, 11})
    EXPECT_FALSE(test.InRange(Posting(1, number, "ABC00001", "h", "1997/05/01 10:00", 1)));
}

TEST(TargetTest, DateRangeTakesTheWholeLastDayAndIgnoresThePickersTimes) {
  TallyTarget range;
  range.kind = TargetKind::ByDate;
  range.first_day = At("1997/05/01 15:30");
  range.last_day = At("1997/05/31 08:00");
  const TargetTest test(range);
  static const struct {
    const char* posted_at;
    bool in;
  } cases[] = {{"1997/04/30 23:59", false},
               {"1997/05/01 00:00", true},
               {"1997/05/31 23:59", true},
               {"1997/06/01 00:00", false}};
  for (const auto& c : cases)
    EXPECT_EQ(test.Counts(Posting(1, 1, "ABC00001", "h", c.posted_at, 1)), c.in) << c.posted_at;
}

TEST(TargetTest, DeletedPostingsAreNeverCounted) {
  const TargetTest test{TallyTarget{}};
  EXPECT_FALSE(test.Counts(Posting(1, 5, "********", "h", "1997/05/01 10:00", 1)));
  EXPECT_FALSE(
      test.Counts(Posting(1, 5, "ABC00001", "h", "1997/05/01 10:00", 1, "発言者削除しました")));
  EXPECT_TRUE(test.Counts(Posting(1, 5, "ABC00001", "h", "1997/05/01 10:00", 1, "RE:発言者削除")));
}

TEST(TargetTest, NumberTextsMustBeIntegers) {
  EXPECT_EQ(NumberFieldValue(" 12 "), 12);
  EXPECT_EQ(NumberFieldValue("007"), 7);
  for (const char* bad : {"", "  ", "1x", "x", "1 2"}) {
    TallyTarget range;
    range.last_number = bad;
    try {
      TargetTest{range};
      ADD_FAILURE() << '"' << bad << '"';
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.kind(), FailureKind::BadNumberText) << '"' << bad << '"';
    }
  }
}

TEST(TargetLines, ShowTheRangeAsGiven) {
  TallyTarget range;
  range.first_number = "007";
  ReportText report;
  WriteTargetLines(range, report);
  EXPECT_EQ(report, (ReportText{S("    集計対象：番号指定"), S("              #007 ～ #65000"), ""}));
  // The full-width tilde is the CP932 character 0x8160.
  EXPECT_NE(report[1].find("\x81\x60"), std::string::npos);

  range.kind = TargetKind::ByDate;
  range.first_day = At("1996/01/02 12:00");
  range.last_day = At("2001/12/31 00:00");
  report.clear();
  WriteTargetLines(range, report);
  EXPECT_EQ(report, (ReportText{S("    集計対象：日付指定"), S("              96/01/02 ～ 01/12/31"), ""}));
}

TEST(IdAccumulator, KeepsFirstAppearanceOrderAndTheLastHandle) {
  IdAccumulator accumulator;
  accumulator.Count("BBB00002", "first").TotalChars += 5;
  accumulator.Count("AAA00001", "a").TotalChars += 7;
  accumulator.Count("BBB00002", "renamed").TotalChars += 10;
  const auto entries = accumulator.TakeEntries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Id, "BBB00002");
  EXPECT_EQ(entries[0].Handle, "renamed");
  EXPECT_EQ(entries[0].PostCount, 2);
  EXPECT_EQ(entries[0].TotalChars, 15);
  EXPECT_EQ(entries[1].Id, "AAA00001");
  EXPECT_EQ(entries[1].FirstSeen, 1u);
}

// The walk that the index replaces: search the list from the start.
std::vector<IdTallyRec> LinearAccumulation(
    const std::vector<std::pair<std::string, std::string>>& postings) {
  std::vector<IdTallyRec> entries;
  for (const auto& [id, handle] : postings) {
    auto it = std::find_if(entries.begin(), entries.end(),
                           [&](const IdTallyRec& e) { return e.Id == id; });
    if (it == entries.end()) {
      it = entries.insert(entries.end(), IdTallyRec{});
      it->Id = id;
    }
    it->Handle = handle;
    ++it->PostCount;
  }
  return entries;
}

TEST(IdAccumulator, MatchesTheLinearWalkForShortLongAndLookAlikeIds) {
  // IDs from 1 to 12 bytes, some differing only after byte 8, some only by
  // a trailing zero byte.
  std::vector<std::string> ids = {"ABC00001", "ABC000011", "ABC000012", "AB",
                                  std::string("AB\0", 3), "", "********", "ABCDEFGHIJKL"};
  std::mt19937 random(5);
  for (int i = 0; i < 300; ++i) {
    std::string id(1 + random() % 12, ' ');
    for (char& c : id) c = static_cast<char>('A' + random() % 3);
    ids.push_back(id);
  }
  std::vector<std::pair<std::string, std::string>> postings;
  std::vector<std::string> handles;
  for (int i = 0; i < 5000; ++i) handles.push_back(std::to_string(i));
  IdAccumulator accumulator;
  for (int i = 0; i < 5000; ++i) {
    const std::string& id = ids[random() % ids.size()];
    postings.emplace_back(id, handles[i]);
    accumulator.Count(id, handles[i]);
  }
  const std::vector<IdTallyRec> expected = LinearAccumulation(postings);
  const std::vector<IdTallyRec> actual = accumulator.TakeEntries();
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(actual[i].Id, expected[i].Id) << i;
    EXPECT_EQ(actual[i].Handle, expected[i].Handle) << i;
    EXPECT_EQ(actual[i].PostCount, expected[i].PostCount) << i;
    EXPECT_EQ(actual[i].FirstSeen, i);
  }
}

// Tables past the size at which the walk asks for what postings ahead will
// touch: the hints must not change what is counted.
TEST(IdAccumulator, HintsAheadLeaveTheCountsAlone) {
  std::mt19937 random(7);
  std::vector<ArticleRec> postings(60000);
  for (ArticleRec& posting : postings) {
    const unsigned poster = random() % 25000;
    posting.Id = poster % 1000 == 0 ? "LONG" + std::to_string(poster) + "ID"
                                    : "ABC" + std::to_string(10000 + poster);
    posting.Handle = std::to_string(random() % 100);
  }
  IdAccumulator hinted, plain;
  for (std::size_t i = 0; i < postings.size(); ++i) {
    hinted.PrefetchAhead(postings, i);
    hinted.Count(postings[i].Id.view(), postings[i].Handle.view());
    plain.Count(postings[i].Id.view(), postings[i].Handle.view());
  }
  const std::vector<IdTallyRec> expected = plain.TakeEntries();
  const std::vector<IdTallyRec> actual = hinted.TakeEntries();
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(actual[i].Id, expected[i].Id) << i;
    EXPECT_EQ(actual[i].Handle, expected[i].Handle) << i;
    EXPECT_EQ(actual[i].PostCount, expected[i].PostCount) << i;
  }
}

IdTallyRec Entry(const char* id, int count, std::int64_t chars, std::size_t first_seen) {
  IdTallyRec entry;
  entry.Id = id;
  entry.PostCount = count;
  entry.TotalChars = chars;
  entry.FirstSeen = first_seen;
  return entry;
}

TEST(Ranking, CompetitionRanksByThePrimaryKeyOnly) {
  // Counts 50, 40, 40, 30 rank 1, 2, 2, 4 although the tied pair differs in
  // characters, which order the tie.
  std::vector<IdTallyRec> entries = {Entry("D", 30, 1, 0), Entry("B", 40, 10, 1),
                                     Entry("A", 50, 5, 2), Entry("C", 40, 20, 3)};
  RankEntries(entries, RankKey::PostCount, RankKey::TotalChars, &IdTallyRec::RankByCount);
  std::string order;
  std::vector<int> ranks;
  for (const auto& e : entries) {
    order += e.Id;
    ranks.push_back(e.RankByCount);
  }
  EXPECT_EQ(order, "ACBD");
  EXPECT_EQ(ranks, (std::vector<int>{1, 2, 2, 4}));
}

TEST(Ranking, FullTiesKeepFirstAppearanceAndAveragesCompareExactly) {
  // 10/2, 15/3 and 5/1 are the same average; 7/2 is less.
  std::vector<IdTallyRec> entries = {Entry("X", 2, 10, 2), Entry("Y", 3, 15, 0),
                                     Entry("Z", 1, 5, 1), Entry("W", 2, 7, 3),
                                     Entry("V", 3, 15, 4)};
  RankEntries(entries, RankKey::Average, RankKey::PostCount, &IdTallyRec::RankByAverage);
  std::string order;
  std::vector<int> ranks;
  for (const auto& e : entries) {
    order += e.Id;
    ranks.push_back(e.RankByAverage);
  }
  EXPECT_EQ(order, "YVXZW");  // count breaks the tie, then first appearance
  EXPECT_EQ(ranks, (std::vector<int>{1, 1, 1, 1, 5}));
}

// Several rankings at once give the ranks and the order that they give one
// after another, whatever order the entries start in.
TEST(Ranking, InTurnEqualsOneRankingAfterAnother) {
  const Ranking by_average{RankKey::Average, RankKey::PostCount, &IdTallyRec::RankByAverage};
  const Ranking by_chars{RankKey::TotalChars, RankKey::PostCount, &IdTallyRec::RankByChars};
  const Ranking by_count{RankKey::PostCount, RankKey::TotalChars, &IdTallyRec::RankByCount};
  const Ranking by_own{RankKey::OwnChars, RankKey::TotalChars, &IdTallyRec::RankByOwn};
  const Ranking by_quoted{RankKey::QuotedChars, RankKey::TotalChars, &IdTallyRec::RankByQuoted};
  const std::vector<Ranking> sequences[] = {
      {by_average, by_own, by_quoted, by_chars, by_count},
      {by_average, by_chars, by_count, by_own, by_quoted},
      {by_count},
  };
  std::mt19937 random(11);
  std::vector<IdTallyRec> start;
  for (std::size_t i = 0; i < 500; ++i) {  // small ranges, so that keys tie often
    IdTallyRec entry = Entry("", 1 + random() % 6, random() % 40, i);
    entry.Id = std::to_string(i);
    entry.QuotedChars = random() % 10;
    entry.OwnChars = entry.TotalChars - entry.QuotedChars;
    start.push_back(entry);
  }
  std::shuffle(start.begin(), start.end(), random);
  for (const std::vector<Ranking>& rankings : sequences) {
    std::vector<IdTallyRec> in_turn = start, one_by_one = start;
    RankEntriesInTurn(in_turn, rankings);
    for (const Ranking& r : rankings) RankEntries(one_by_one, r.primary, r.tie_break, r.rank);
    ASSERT_EQ(in_turn.size(), one_by_one.size());
    for (std::size_t i = 0; i < in_turn.size(); ++i) {
      const IdTallyRec& a = in_turn[i];
      const IdTallyRec& b = one_by_one[i];
      EXPECT_EQ(a.Id, b.Id) << i;
      EXPECT_EQ(std::tie(a.RankByAverage, a.RankByChars, a.RankByCount, a.RankByOwn, a.RankByQuoted),
                std::tie(b.RankByAverage, b.RankByChars, b.RankByCount, b.RankByOwn, b.RankByQuoted))
          << i;
    }
  }
}

TEST(ReportFields, PercentRoundsTheExactQuotientHalfUp) {
  static const struct {
    std::int64_t value, total;
    const char* expected;
  } cases[] = {
      {0, 7, "  0.00"},   {1, 3, " 33.33"},   {2, 3, " 66.67"},     {5, 5, "100.00"},
      {1, 800, "  0.13"},  // 0.125 exactly
      {201, 20000, "  1.01"},  // 1.005 exactly, not representable in binary
      {1, 1000000, "  0.00"}, {3, 2, "150.00"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PercentField(c.value, c.total, 6), c.expected) << c.value << "/" << c.total;
}

TEST(ReportFields, WidthsCountBytesAndNeverCut) {
  EXPECT_EQ(AlignLeft(S("たろう"), 8), S("たろう  "));
  EXPECT_EQ(AlignRight(S("たろう"), 4), S("たろう"));
  EXPECT_EQ(CountField(1234567, 10), " 1,234,567");
  EXPECT_EQ(ZeroPadded(42, 5), "00042");
  EXPECT_EQ(TrimRight("abc \t "), "abc");
}

struct CompactRow {
  int rank;
  std::string handle;
};

ReportText Compact(const std::vector<CompactRow>& rows, bool enabled, bool show_ids,
                   CompactListing::RankForm form = CompactListing::RankForm::Padded) {
  ReportText report;
  CompactListing listing(enabled, form, show_ids, report);
  for (const CompactRow& row : rows)
    listing.AddRow("row " + std::to_string(row.rank), row.rank, row.handle + "  ", "ABC00001");
  listing.Finish();
  return report;
}

TEST(CompactListing, RowsBelowRank100BecomeGatheredEntries) {
  const std::vector<CompactRow> rows = {{99, "h99"},   {100, "h100"}, {101, "h101"},
                                        {101, "h102"}, {103, "h103"}, {104, "h104"},
                                        {105, "h105"}, {106, "h106"}, {107, "h107"}};
  EXPECT_EQ(Compact(rows, true, false),
            (ReportText{"row 99", "row 100", std::string(75, '-'),
                        "  101..h101 h102  103..h103  104..h104  105..h105  106..h106  107..h107"}));
  EXPECT_EQ(Compact(rows, true, true, CompactListing::RankForm::Plain),
            (ReportText{"row 99", "row 100", std::string(75, '-'),
                        " 101..h101(ABC00001) h102(ABC00001) 103..h103(ABC00001) "
                        "104..h104(ABC00001)",
                        "105..h105(ABC00001) 106..h106(ABC00001) 107..h107(ABC00001)"}));
  EXPECT_EQ(Compact(rows, false, true).size(), rows.size());
}

TEST(CompactListing, GathersWhileTextAndEntryTakeAtMost76Bytes) {
  // 1 + 46 gathered, then a 29-byte entry: 47 + 29 = 76 still joins, after
  // its blank, so the line takes 77 bytes; the next entry starts a new line.
  const ReportText report = Compact(
      {{200, std::string(40, 'a')}, {201, std::string(23, 'b')}, {202, "c"}}, true, false);
  ASSERT_EQ(report.size(), 3u);
  EXPECT_EQ(report[1], "  200.." + std::string(40, 'a') + "  201.." + std::string(23, 'b'));
  EXPECT_EQ(report[1].size(), 77u);
  EXPECT_EQ(report[2], " 202..c");
}

TEST(CompactListing, RanksPastFourDigitsStandWhole) {
  const ReportText report = Compact({{9999, "x"}, {10000, "y"}, {10000, "z"}, {10002, "w"}},
                                    true, false);
  EXPECT_EQ(report[1], " 9999..x 10000..y z 10002..w");
}

}  // namespace
}  // namespace tobrel
