// The order each tally leaves the store's postings in: every tally, with
// each option that changes it, runs over a store found in no sorted order;
// the postings it leaves must be those of the store sorted as its
// OrderLeftBy says (by the plain SortPostings), and a posting-count tally
// run next must write what it writes over a store put in that order by hand.
// Also: every tally empties the report and the data rows it is given.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/log_store.h"
#include "tally/report_request.h"
#include "tests/tally/tally_fixture.h"

namespace tobrel {
namespace {

using testing::Posting;

ArticleRec With(ArticleRec posting, int comment_to, int comment_count) {
  posting.CommentTo = comment_to;
  posting.CommentCount = comment_count;  // as the recount gives it
  return posting;
}

// ABC00001 writes four postings under four handles; which handle its row
// shows is that of its last posting walked, so each order shows another:
// as found "d", by time "a", by room and time "b", by comment count "c".
// XYZ00009 posts twice at one time, found room 2 first: by time it keeps
// that, by room and time it does not.
std::vector<ArticleRec> FoundPostings() {
  return {
      With(Posting(1, 20, "ABC00001", "a", "1998/01/04 12:00", 500), 0, 2),
      Posting(2, 6, "XYZ00009", "xyz-room2", "1998/01/06 10:00", 40),
      With(Posting(3, 7, "ABC00001", "b", "1998/01/01 09:00", 100), 0, 1),
      With(Posting(1, 21, "GHI00003", "ghi", "1998/01/05 08:00", 30), 20, 0),
      With(Posting(2, 5, "ABC00001", "c", "1998/01/02 10:00", 100), 0, 0),
      With(Posting(1, 11, "DEF00002", "def", "1998/01/03 13:00", 60), 10, 0),
      With(Posting(3, 8, "JKL00004", "jkl", "1998/01/01 10:00", 20), 7, 0),
      With(Posting(1, 12, "GHI00003", "ghi2", "1998/01/03 14:00", 70), 10, 0),
      With(Posting(1, 22, "JKL00004", "jkl2", "1998/01/05 09:00", 10), 20, 0),
      With(Posting(1, 10, "ABC00001", "d", "1998/01/03 11:00", 500), 0, 3),
      With(Posting(1, 13, "DEF00002", "def2", "1998/01/03 15:00", 50), 10, 0),
      Posting(1, 30, "XYZ00009", "xyz-room1", "1998/01/06 10:00", 40),
  };
}

// The found postings put in `order` by the plain stable sort.
std::vector<ArticleRec> SortedAs(PostingOrderLeft order) {
  std::vector<ArticleRec> postings = FoundPostings();
  switch (order) {
    case PostingOrderLeft::AsFound: break;
    case PostingOrderLeft::ByTime: SortPostings(postings, OrderByTime); break;
    case PostingOrderLeft::ByRoomTime: SortPostings(postings, OrderByRoomTime); break;
    case PostingOrderLeft::ByCommentCount:
      SortPostings(postings, OrderByRoomTime);
      SortPostings(postings, OrderByCommentCount);
      break;
  }
  return postings;
}

std::vector<std::string> Places(const std::vector<ArticleRec>& postings) {
  std::vector<std::string> places;
  for (const ArticleRec& posting : postings)
    places.push_back(std::to_string(posting.Room) + "/" + std::to_string(posting.Number) + " " +
                     cp932::ToUtf8(posting.Handle.view()));
  return places;
}

// The posting-count report that follows the walk: the handles, the first of
// equal best postings and the ID-by-hour rows of equal totals.
ReportText NextCountReport(LogStore& store) {
  ReportRequest request;
  request.count.time_tables.by_id_hour = true;
  TallyProgress progress;
  return MakeReport(store, request, progress).lines;
}

ReportText NextCountReportOver(PostingOrderLeft order) {
  LogStore store;
  store.Postings = SortedAs(order);
  store.CommentsRecounted = true;
  return NextCountReport(store);
}

TEST(PostingOrderLeft, EveryTallyLeavesTheOrderItsHeaderNames) {
  using Order = PostingOrderLeft;
  static const struct {
    const char* name;
    std::function<void(ReportRequest&)> choose;
    Order expected;
  } cases[] = {
      {"count", [](ReportRequest& r) { r.tally = TallyKind::Count; }, Order::AsFound},
      {"count, time tables but the date table",
       [](ReportRequest& r) {
         r.tally = TallyKind::Count;
         r.count.time_tables = {false, true, true, true, true, true};
       },
       Order::AsFound},
      {"count, date table",
       [](ReportRequest& r) {
         r.tally = TallyKind::Count;
         r.count.order = CountOrder::ByCharsCumulative;
         r.count.time_tables.by_date = true;
       },
       Order::ByTime},
      {"quote",
       [](ReportRequest& r) {
         r.tally = TallyKind::Quote;
         r.quote.order = QuoteOrder::ByQuoted;
       },
       Order::AsFound},
      {"comment by ID",
       [](ReportRequest& r) { r.tally = TallyKind::Comment; }, Order::ByRoomTime},
      {"comment by rate",
       [](ReportRequest& r) {
         r.tally = TallyKind::Comment;
         r.comment.order = CommentOrder::ByCommentRate;
       },
       Order::ByRoomTime},
      {"comment by posting",
       [](ReportRequest& r) {
         r.tally = TallyKind::Comment;
         r.comment.order = CommentOrder::ByPosting;
       },
       Order::ByCommentCount},
      {"stats", [](ReportRequest& r) { r.tally = TallyKind::Stats; }, Order::ByRoomTime},
      {"stats, titles and missing numbers",
       [](ReportRequest& r) {
         r.tally = TallyKind::Stats;
         r.stats.title_list = true;
         r.stats.missing_numbers = true;
       },
       Order::ByRoomTime},
      {"month by postings",
       [](ReportRequest& r) {
         r.tally = TallyKind::Month;
         r.month.range = {{1998, 1}, {1998, 2}};
       },
       Order::AsFound},
      {"month of one ID",
       [](ReportRequest& r) {
         r.tally = TallyKind::Month;
         r.month.kind = MonthKind::OneId;
         r.month.target_id = "ABC00001";
         r.month.range = {{1997, 12}, {1998, 1}};
       },
       Order::AsFound},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReportRequest request;
    c.choose(request);
    EXPECT_EQ(OrderLeftBy(request), c.expected);

    LogStore store;
    store.Postings = FoundPostings();
    TallyProgress progress;
    MakeReport(store, request, progress);
    EXPECT_EQ(Places(store.Postings), Places(SortedAs(c.expected)));
    EXPECT_EQ(NextCountReport(store), NextCountReportOver(c.expected));
  }
}

TEST(PostingOrderLeft, TheNextReportTellsEveryOrderApart) {
  using Order = PostingOrderLeft;
  const Order orders[] = {Order::AsFound, Order::ByTime, Order::ByRoomTime,
                          Order::ByCommentCount};
  for (const Order a : orders)
    for (const Order b : orders)
      if (a != b)
        EXPECT_NE(NextCountReportOver(a), NextCountReportOver(b))
            << static_cast<int>(a) << " " << static_cast<int>(b);
}

TEST(TallyReport, EveryTallyEmptiesTheReportAndDataItIsGiven) {
  LogStore store;
  store.Postings = FoundPostings();
  const TallySettings settings;
  TallyProgress progress;
  MonthTallyOptions month;
  month.range = {{1998, 1}, {1998, 2}};
  const std::function<void(ReportText&, ReportData&)> tallies[] = {
      [&](ReportText& r, ReportData& t) { NormalTobrel(store, settings, {}, progress, r, &t); },
      [&](ReportText& r, ReportData& t) { QuoteTobrel(store, settings, {}, progress, r, &t); },
      [&](ReportText& r, ReportData& t) {
        CommentTobrel(store, settings, {}, progress, r, &t);
      },
      [&](ReportText& r, ReportData& t) { StatsTobrel(store, settings, {}, progress, r, &t); },
      [&](ReportText& r, ReportData& t) {
        MonthTobrel(store, settings, month, progress, r, &t);
      },
  };
  for (const auto& tally : tallies) {
    ReportText fresh;
    ReportData fresh_data;
    tally(fresh, fresh_data);
    ReportText report = {"left from before"};
    ReportData data = {DataRows{{"left"}, {}}};
    tally(report, data);
    EXPECT_EQ(report, fresh);
    EXPECT_EQ(data.size(), fresh_data.size());
    EXPECT_EQ(data.front().header, fresh_data.front().header);
  }
}

}  // namespace
}  // namespace tobrel
