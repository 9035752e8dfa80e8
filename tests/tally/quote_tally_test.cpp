// The quotation tally: whole reports of every order, with and without IDs,
// compared with reviewed golden files; ratios without characters; the best
// postings under the mapped ID.
#include <gtest/gtest.h>

#include "platform/failure.h"
#include "tally/quote_tally.h"
#include "tests/tally/tally_fixture.h"

namespace tobrel {
namespace {

using testing::ExpectGolden;
using testing::ManyPosters;
using testing::Posting;
using testing::S;

// A posting with `quoted` of its `chars` in quoted lines.
ArticleRec Quoting(ArticleRec posting, int quoted) {
  posting.QuotedChars = quoted;
  posting.OwnChars = posting.TotalChars - quoted;
  return posting;
}

// Six posters with ties in every key: characters 600/600, postings 2/2/2,
// quoted 300/300/300 (JKL's posting of 300 quoted is the best, before
// MNO's), own 0/0. VWX wrote nothing, so its ratio has no divisor. The last
// three postings are never counted.
LogStore SmallQuoteStore() {
  LogStore store;
  store.Postings = {
      Quoting(Posting(1, 1, "ABC00001", "たろう", "1997/05/01 10:00", 100), 40),
      Quoting(Posting(1, 2, "DEF00002", "hanako", "1997/05/01 11:00", 400), 200),
      Quoting(Posting(1, 3, "ABC00001", "たろう", "1997/05/02 09:00", 200), 0),
      Quoting(Posting(1, 4, "GHI00003", "jiro", "1997/05/03 23:59", 50), 0),
      Quoting(Posting(2, 1, "JKL00004", "sabu", "1997/05/04 00:00", 1200), 300),
      Quoting(Posting(1, 5, "ABC00001", "たろう", "1997/05/04 12:00", 300), 60),
      Quoting(Posting(1, 6, "DEF00002", "hanako", "1997/05/05 13:00", 200), 100),
      Quoting(Posting(2, 2, "GHI00003", "jiro", "1997/05/06 14:00", 70), 0),
      Quoting(Posting(2, 3, "JKL00004", "三郎ＳＡＢＵＲＯ", "1997/05/07 15:00", 300), 0),
      Quoting(Posting(2, 4, "MNO00005", "ﾐﾉﾙ", "1997/05/08 16:00", 300), 300),
      Quoting(Posting(2, 7, "VWX00008", "zero", "1997/05/08 16:30", 0), 0),
      Quoting(Posting(2, 5, "********", "sysop", "1997/05/08 17:00", 9999), 9999),
      Quoting(Posting(2, 6, "PQR00006", "pqr", "1997/05/08 18:00", 8888, "発言者削除"), 8888),
      Quoting(Posting(2, 70000, "STU00007", "stu", "1997/05/08 19:00", 7777), 7777),
  };
  return store;
}

ReportText RunQuoteTally(const LogStore& store, const TallySettings& settings, QuoteOrder order) {
  TallyProgress progress;
  ReportText report = {"left by the tally before"};
  QuoteTobrel(store, settings, {order}, progress, report);
  return report;
}

TEST(QuoteTally, EveryOrderWithAndWithoutIds) {
  static const struct {
    QuoteOrder order;
    bool hide_ids;
    const char* golden;
  } cases[] = {
      {QuoteOrder::ByPostings, false, "quote_order0.txt"},
      {QuoteOrder::ByPostings, true, "quote_order0_noid.txt"},
      {QuoteOrder::ByChars, false, "quote_order1.txt"},
      {QuoteOrder::ByChars, true, "quote_order1_noid.txt"},
      {QuoteOrder::ByOwnChars, false, "quote_order2.txt"},
      {QuoteOrder::ByOwnChars, true, "quote_order2_noid.txt"},
      {QuoteOrder::ByQuoted, false, "quote_order3.txt"},
      {QuoteOrder::ByQuoted, true, "quote_order3_noid.txt"},
  };
  const LogStore store = SmallQuoteStore();
  for (const auto& c : cases) {
    TallySettings settings;
    settings.hide_ids = c.hide_ids;
    ExpectGolden(RunQuoteTally(store, settings, c.order), c.golden);
  }
}

// Every row takes the 77 columns of the rules, except that a ratio of
// 100.00% widens a line of the orders whose ratio has five columns.
TEST(QuoteTally, RowsTakeTheWidthOfTheTable) {
  const LogStore store = SmallQuoteStore();
  for (const QuoteOrder order : {QuoteOrder::ByPostings, QuoteOrder::ByChars,
                                 QuoteOrder::ByOwnChars, QuoteOrder::ByQuoted}) {
    const ReportText report = RunQuoteTally(store, {}, order);
    for (std::size_t row = 7; row < 13; ++row) {
      const bool widened = order <= QuoteOrder::ByChars &&
                           report[row].find("100.00%") != std::string::npos;
      EXPECT_EQ(report[row].size(), widened ? 78u : 77u)
          << static_cast<int>(order) << ": " << report[row];
    }
  }
}

TEST(QuoteTally, EmptyTargetGivesZeroTotalsAndTheInitialBestPostings) {
  TallySettings settings;
  settings.target = {TargetKind::ByNumber, "10", "9"};
  ExpectGolden(RunQuoteTally(SmallQuoteStore(), settings, QuoteOrder::ByOwnChars),
               "quote_empty_target.txt");
}

// Postings without characters: no ratio can be computed, in the rows nor in
// the totals.
TEST(QuoteTally, NothingWrittenShowsZeroRatios) {
  static const struct {
    QuoteOrder order;
    const char* row;
    const char* totals;
  } cases[] = {
      {QuoteOrder::ByPostings, "      1            0(   1)      0(   1)  0.00%",
       "      1            0            0       00.00"},
      {QuoteOrder::ByChars, "           0       1(   1)      0(   1)  0.00%",
       "           0       1            0       00.00"},
      {QuoteOrder::ByOwnChars, "          0              0      1(   1)  0.00%",
       "          0              0      100.00"},
      {QuoteOrder::ByQuoted, "          0              0      1(   1)  0.00%",
       "          0              0       100.00"},
  };
  LogStore store;
  store.Postings = {Posting(1, 1, "ABC00001", "empty", "1997/05/01 10:00", 0)};
  for (const auto& c : cases) {
    const ReportText report = RunQuoteTally(store, {}, c.order);
    EXPECT_EQ(report[7], "   1 ABC00001 empty            " + std::string(c.row));
    EXPECT_EQ(report[9], S("合計      1 人") + std::string(17, ' ') + c.totals);
  }
}

TEST(QuoteTally, WithoutQuotedLinesEveryoneSharesRankOneByQuotedCharacters) {
  LogStore store = SmallQuoteStore();
  for (ArticleRec& posting : store.Postings) posting = Quoting(posting, 0);
  const ReportText report = RunQuoteTally(store, {}, QuoteOrder::ByQuoted);
  for (std::size_t row = 7; row < 13; ++row) EXPECT_EQ(report[row].substr(0, 4), "   1");
  EXPECT_EQ(report[13], std::string(77, '-'));
  EXPECT_EQ(report[14].substr(report[14].size() - 7), "  0.00%");
  EXPECT_EQ(report[17], S("最高引用文字発言 #00000( 0)87/04/01 00:00 ******** ") +
                            std::string(16, ' ') + S("     0文字"));
}

TEST(QuoteTally, SamePersonIdsCountAsOneAndTheBestPostingsHoldTheMappedId) {
  LogStore store;
  store.Postings = {
      Quoting(Posting(1, 1, "ABC00001", "main", "1997/05/01 10:00", 100), 10),
      Quoting(Posting(1, 2, "XYZ00009", "second", "1997/05/02 10:00", 500), 50),
      Quoting(Posting(1, 3, "DEF00002", "other", "1997/05/03 10:00", 400), 50),
  };
  TallySettings settings;
  settings.MapSameId = [](std::string_view id) {
    return std::string(id == "XYZ00009" ? "ABC00001" : id);
  };
  const ReportText report = RunQuoteTally(store, settings, QuoteOrder::ByPostings);
  EXPECT_EQ(report[7], "   1 ABC00001 second                 2          600(   1)    300(   2) 10.00%");
  EXPECT_EQ(report[8], "   2 DEF00002 other                  1          400(   2)    400(   1) 12.50%");
  EXPECT_EQ(report[12], S("最高文字数発言   #00002( 1)97/05/02 10:00 ABC00001 second             500文字"));
  EXPECT_EQ(report[13], S("最高引用文字発言 #00002( 1)97/05/02 10:00 ABC00001 second              50文字"));
}

// The posters of ManyPosters, each quoting a third of what it writes.
LogStore ManyQuotingPosters() {
  LogStore store = ManyPosters();
  for (ArticleRec& posting : store.Postings) posting = Quoting(posting, posting.TotalChars / 3);
  return store;
}

TEST(QuoteTally, CompactListingBelowRank100) {
  static const struct {
    QuoteOrder order;
    bool hide_ids;
    const char* golden;
  } cases[] = {
      {QuoteOrder::ByPostings, false, "quote_compact.txt"},
      {QuoteOrder::ByQuoted, true, "quote_compact_noid.txt"},
  };
  const LogStore store = ManyQuotingPosters();
  for (const auto& c : cases) {
    TallySettings settings;
    settings.top100_only = true;
    settings.hide_ids = c.hide_ids;
    ExpectGolden(RunQuoteTally(store, settings, c.order), c.golden);
  }
}

struct RecordingQuoteProgress : TallyProgress {
  void ShowProgress(std::string_view text) override { texts.push_back(cp932::ToUtf8(text)); }
  std::vector<std::string> texts;
};

TEST(QuoteTally, ShowsItsProgressTextsAndClearsThem) {
  RecordingQuoteProgress progress;
  ReportText report;
  QuoteTobrel(SmallQuoteStore(), {}, {QuoteOrder::ByPostings}, progress, report);
  EXPECT_EQ(progress.texts,
            (std::vector<std::string>{"引用情報を集計中...", "引用情報を表示中...", ""}));
}

TEST(QuoteTally, RefusesANumberTextThatIsNoInteger) {
  TallySettings settings;
  settings.target.first_number = "1x";
  ReportText report = {"kept"};
  TallyProgress progress;
  EXPECT_THROW(QuoteTobrel(SmallQuoteStore(), settings, {QuoteOrder::ByPostings}, progress, report),
               Failure);
  EXPECT_EQ(report, ReportText{"kept"});
}

}  // namespace
}  // namespace tobrel
