// The comment recount and the comment tally: recounts checked case by case
// and against a posting-by-posting scan, whole reports against golden files.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "core/log_store.h"
#include "tally/comment_recount.h"
#include "tally/comment_tally.h"
#include "tests/tally/tally_fixture.h"

namespace tobrel {
namespace {

using testing::ExpectGolden;
using testing::Posting;

// A posting of `room` numbered `number`, commenting on `to`, posted
// `minutes` after a fixed start.
ArticleRec Comment(int room, int number, int to, int minutes) {
  ArticleRec posting = Posting(room, number, "ABC00001", "h", "1997/05/01 00:00", 1);
  posting.PostedAt += minutes / 1440.0;
  posting.CommentTo = to;
  posting.CommentCount = 77;  // what the log printed; the recount replaces it
  return posting;
}

std::vector<int> Recounted(std::vector<ArticleRec> postings) {
  SortPostings(postings, OrderByRoomTime);
  TallyProgress progress;
  RecountComments(postings, progress);
  std::vector<int> counts;
  for (const ArticleRec& posting : postings) counts.push_back(posting.CommentCount);
  return counts;
}

TEST(RecountComments, NearAndFarComments) {
  static const struct {
    const char* what;
    std::vector<ArticleRec> postings;  // in room, time order
    std::vector<int> counts;
  } cases[] = {
      {"one near and one far comment",
       {Comment(1, 10, 0, 0), Comment(1, 11, 10, 1), Comment(1, 2000, 10, 2)},
       {2, 0, 0}},
      {"999 above is near, counted once; 1000 above is far",
       {Comment(1, 10, 0, 0), Comment(1, 1009, 10, 1), Comment(1, 1010, 10, 2)},
       {2, 0, 0}},
      {"a posting more than 999 above ends the near scan",
       {Comment(1, 10, 0, 0), Comment(1, 1010, 0, 1), Comment(1, 12, 10, 2)},
       {0, 0, 0}},
      {"a comment before its target in time is not counted",
       {Comment(1, 11, 10, 0), Comment(1, 10, 0, 1)},
       {0, 0}},
      {"a comment to a posting that is not there",
       {Comment(1, 10, 0, 0), Comment(1, 11, 9, 1), Comment(1, 3000, 9, 2)},
       {0, 0, 0}},
      {"the same numbers in two rooms",
       {Comment(1, 10, 0, 0), Comment(1, 11, 10, 1), Comment(2, 10, 0, 2), Comment(2, 11, 10, 3),
        Comment(2, 12, 10, 4), Comment(2, 5000, 10, 5)},
       {1, 0, 3, 0, 0, 0}},
      {"a far comment goes to the last posting of that number only",
       {Comment(1, 10, 0, 0), Comment(1, 10, 0, 1), Comment(1, 11, 10, 2), Comment(1, 2000, 10, 3)},
       {1, 2, 0, 0}},
      {"the far search stops at a lower number of the room",
       {Comment(1, 10, 0, 0), Comment(1, 5, 0, 1), Comment(1, 2000, 10, 2)},
       {0, 0, 0}},
      {"no target is no comment to posting 0",
       {Comment(1, 0, 0, 0), Comment(1, 1, 0, 1), Comment(1, 2, 0, 2)},
       {0, 0, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(Recounted(c.postings), c.counts) << c.what;
}

// The recount done posting by posting: a forward scan per posting, a list
// of far comments, and a backward search for each from its start position.
void ScanRecount(std::vector<ArticleRec>& postings) {
  const std::size_t n = postings.size();
  for (std::size_t i = 0; i < n; ++i) {
    ArticleRec& target = postings[i];
    target.CommentCount = 0;
    for (std::size_t j = i + 1; j < n; ++j) {
      if (postings[j].Room != target.Room || postings[j].Number > target.Number + 999) break;
      if (postings[j].CommentTo != 0 && postings[j].CommentTo == target.Number)
        ++target.CommentCount;
    }
  }
  std::vector<std::tuple<int, int, int>> far;  // room, target, count
  for (const ArticleRec& q : postings) {
    if (q.CommentTo == 0 || q.Number <= q.CommentTo + 999) continue;
    auto entry = std::find_if(far.rbegin(), far.rend(), [&](const auto& e) {
      return std::get<0>(e) == q.Room && std::get<1>(e) == q.CommentTo;
    });
    if (entry != far.rend()) {
      ++std::get<2>(*entry);
    } else {
      far.emplace_back(q.Room, q.CommentTo, 1);
    }
  }
  for (const auto& [room, number, count] : far) {
    std::size_t start = n - 1;
    const std::size_t k = n / 1000 - 1;
    if (n >= 1001 && k >= 2) {
      for (std::size_t m = k; m >= 2; --m) {
        const ArticleRec& sample = postings[m * 1000];
        if (sample.Room == room && sample.Number < number) {
          start = std::min(m * 1000 + 1000, n - 1);
          break;
        }
      }
    }
    for (std::size_t j = start + 1; j-- > 0;) {
      if (postings[j].Room != room || postings[j].Number > number) continue;
      if (postings[j].Number == number) postings[j].CommentCount += count;
      break;
    }
  }
}

TEST(RecountComments, AgreesWithAPostingByPostingScan) {
  std::mt19937 random(6);
  for (int round = 0; round < 40; ++round) {
    // Long lists reach the sampled start positions; numbers that jump back
    // in time make the start matter.
    const int n = round < 30 ? 1 + static_cast<int>(random() % 300)
                             : 3000 + static_cast<int>(random() % 4000);
    const int rooms = 1 + static_cast<int>(random() % 3);
    std::vector<ArticleRec> postings;
    std::vector<int> next_number(rooms, 1);
    for (int i = 0; i < n; ++i) {
      const int room = static_cast<int>(random() % rooms);
      int& number = next_number[room];
      number += static_cast<int>(random() % 3);
      int posted = number;
      if (random() % 20 == 0) posted = number + static_cast<int>(random() % 3000) - 1500;
      int to = 0;
      switch (random() % 5) {
        case 0: to = number - 1 - static_cast<int>(random() % 5); break;
        case 1: to = number - 990 - static_cast<int>(random() % 20); break;
        case 2: to = number - 1000 - static_cast<int>(random() % 3000); break;
        case 3: to = static_cast<int>(random() % 50); break;
        default: break;
      }
      // The last rounds spread the numbers far apart.
      const int scale = round >= 36 ? 1000 : 1;
      postings.push_back(Comment(room, posted * scale, std::max(to, 0) * scale, i));
    }
    SortPostings(postings, OrderByRoomTime);
    std::vector<ArticleRec> expected = postings;
    ScanRecount(expected);
    TallyProgress progress;
    RecountComments(postings, progress);
    for (std::size_t i = 0; i < postings.size(); ++i)
      ASSERT_EQ(postings[i].CommentCount, expected[i].CommentCount)
          << "round " << round << ", position " << i << " of " << postings.size();
  }
}

// Twelve posters whose comment sums rank 1 to 9, 10, 10 and 12, with ties
// in posting counts and averages, a handle that changes, a merged second ID,
// and postings that are never counted. Comment counts are as recounted.
LogStore PosterStore() {
  static const struct {
    const char* id;
    const char* handle;
    int postings;
    int comments;
  } posters[] = {
      {"AAA00001", "あいうえお", 4, 20}, {"BBB00002", "bbb", 2, 19},
      {"CCC00003", "ccc", 1, 18},        {"DDD00004", "ddd", 3, 17},
      {"EEE00005", "ｴｲﾁ", 2, 16},        {"FFF00006", "fff", 4, 15},
      {"GGG00007", "ggg", 5, 14},        {"HHH00008", "hhh", 1, 13},
      {"III00009", "iii", 6, 12},        {"JJJ00010", "jjj", 1, 11},
      {"KKK00011", "kkk", 11, 11},       {"LLL00012", "lll", 2, 10},
  };
  LogStore store;
  int number = 1;
  for (const auto& poster : posters) {
    for (int i = 0; i < poster.postings; ++i) {
      ArticleRec posting = Posting(1, number, poster.id, poster.handle, "1997/05/01 10:00", 10,
                                   "タイトル" + std::to_string(number));
      posting.PostedAt += number / 1440.0;
      posting.CommentCount = i == 0 ? poster.comments - (poster.postings - 1) : 1;
      store.Postings.push_back(posting);
      ++number;
    }
  }
  store.Postings[1].Handle = testing::S("あいうえお改");
  ArticleRec second_id = Posting(1, number++, "ZZZ00099", "zzz", "1997/06/01 10:00", 10);
  second_id.CommentCount = 2;
  store.Postings.push_back(second_id);
  ArticleRec sysop = Posting(1, number++, "********", "sysop", "1997/06/01 11:00", 10);
  sysop.CommentCount = 50;
  store.Postings.push_back(sysop);
  ArticleRec withdrawn =
      Posting(1, number++, "MMM00013", "mmm", "1997/06/01 12:00", 10, "発言者削除");
  withdrawn.CommentCount = 40;
  store.Postings.push_back(withdrawn);
  ArticleRec out_of_range = Posting(1, 70000, "NNN00014", "nnn", "1997/06/01 13:00", 10);
  out_of_range.CommentCount = 30;
  store.Postings.push_back(out_of_range);
  return store;
}

ReportText CommentReport(LogStore& store, const TallySettings& settings,
                         CommentTallyOptions options) {
  TallyProgress progress;
  store.CommentsRecounted = true;
  ReportText report = {"left from before"};
  CommentTobrel(store, settings, options, progress, report);
  return report;
}

TEST(CommentTally, PosterTablesWithTheirLimits) {
  static const struct {
    CommentOrder order;
    CommentLimit limit;
    bool hide_ids;
    const char* golden;
  } cases[] = {
      {CommentOrder::ByCommentSum, CommentLimit::Top10, false, "comment_order0_top10.txt"},
      {CommentOrder::ByCommentSum, CommentLimit::All, true, "comment_order0_all_noid.txt"},
      {CommentOrder::ByCommentRate, CommentLimit::Top10, false, "comment_order1_top10.txt"},
  };
  for (const auto& c : cases) {
    LogStore store = PosterStore();
    TallySettings settings;
    settings.hide_ids = c.hide_ids;
    settings.MapSameId = [](std::string_view id) {
      return std::string(id == "ZZZ00099" ? "AAA00001" : id);
    };
    ExpectGolden(CommentReport(store, settings, {c.order, c.limit}), c.golden);
  }
}

TEST(CommentTally, PostingTableByDateLeavesTheStoreInCommentOrder) {
  LogStore store = PosterStore();
  TallySettings settings;
  settings.target.kind = TargetKind::ByDate;
  settings.target.first_day = testing::At("1997/05/01 00:00");
  settings.target.last_day = testing::At("1997/06/01 00:00");
  ExpectGolden(CommentReport(store, settings, {CommentOrder::ByPosting, CommentLimit::Top10}),
               "comment_order2_top10.txt");
  EXPECT_TRUE(std::is_sorted(store.Postings.begin(), store.Postings.end(), OrderByCommentCount));
}

TEST(CommentTally, AllPostingsStopAfterRank50AndItsTies) {
  LogStore store;
  for (int i = 0; i < 60; ++i) {
    ArticleRec posting = Posting(1, i + 1, "ABC00001", "h", "1997/05/01 10:00", 1);
    posting.CommentCount = i < 49 ? 100 - i : i < 52 ? 5 : 1;  // ranks 1..49, 50 three times
    store.Postings.push_back(posting);
  }
  const ReportText report =
      CommentReport(store, {}, {CommentOrder::ByPosting, CommentLimit::All});
  // Target lines (3), title, rule, heading, rule, 52 rows, rule.
  ASSERT_EQ(report.size(), 3u + 4u + 52u + 1u);
  EXPECT_EQ(report[report.size() - 2].substr(0, 4), "  50");
}

TEST(CommentTally, EmptyTargetGivesHeadingsAndRulesOnly) {
  for (const CommentOrder order :
       {CommentOrder::ByCommentSum, CommentOrder::ByCommentRate, CommentOrder::ByPosting}) {
    LogStore store = PosterStore();
    TallySettings settings;
    settings.target.first_number = "80000";
    const ReportText report = CommentReport(store, settings, {order, CommentLimit::All});
    ASSERT_EQ(report.size(), 8u);  // target lines, title, rule, heading, rule, rule
    EXPECT_EQ(report[7], report[4]);
  }
}

TEST(CommentTally, RecountsOnceUntilTheFlagIsCleared) {
  LogStore store;
  store.Postings = {Comment(1, 2, 1, 1), Comment(1, 1, 0, 0)};
  TallyProgress progress;
  ReportText report;
  CommentTobrel(store, {}, {}, progress, report);
  EXPECT_TRUE(store.CommentsRecounted);
  EXPECT_EQ(store.Postings[0].Number, 1);  // sorted by room and time
  EXPECT_EQ(store.Postings[0].CommentCount, 1);
  store.Postings[0].CommentCount = 9;
  CommentTobrel(store, {}, {}, progress, report);
  EXPECT_EQ(store.Postings[0].CommentCount, 9);

  ClearStore(store);
  EXPECT_FALSE(store.CommentsRecounted);
  store.Postings = {Comment(1, 2, 1, 1), Comment(1, 1, 0, 0)};
  store.Postings[1].CommentCount = 9;
  CommentTobrel(store, {}, {}, progress, report);
  EXPECT_EQ(store.Postings[0].CommentCount, 1);
}

}  // namespace
}  // namespace tobrel
