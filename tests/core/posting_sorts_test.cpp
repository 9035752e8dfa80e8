// The fast sorts of the store give exactly the stable sorts by the orders'
// predicates, ties included.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "core/log_store.h"
#include "core/posting_sorts.h"

namespace tobrel {
namespace {

TEST(PostingSorts, SameAsTheStableSortsByThePredicates) {
  std::mt19937 random(4);
  for (int round = 0; round < 20; ++round) {
    // Few distinct values, so that every key ties often; the handle tells
    // records apart.
    // One round is large enough to have its rooms sorted on two threads.
    std::vector<ArticleRec> postings(static_cast<std::size_t>(round == 18 ? 70000 : random() % 2000));
    for (std::size_t i = 0; i < postings.size(); ++i) {
      ArticleRec& posting = postings[i];
      // Some rounds spread the rooms over the whole range of numbers.
      static const int kFarRooms[] = {INT32_MIN, -5, 0, INT32_MAX};
      posting.Room = round % 4 == 3 ? kFarRooms[random() % 4] : static_cast<int>(random() % 4) - 1;
      posting.Number = static_cast<int>(random() % 6) - 2;
      posting.PostedAt = 35000 + static_cast<double>(random() % 5) / 1440;
      posting.CommentCount = static_cast<int>(random() % 4) - 1;
      posting.Handle = std::to_string(i);
    }
    if (round % 5 == 0) SortPostings(postings, OrderByRoomTime);
    // In the order of time, as a log is, with the rooms interleaved.
    if (round % 5 == 1) SortPostings(postings, OrderByTime);
    // Sorted pieces out of order, as logs read in the wrong order are.
    if (round % 5 == 2 && postings.size() > 10) {
      SortPostings(postings, round % 2 ? OrderByTime : OrderByRoomTime);
      std::rotate(postings.begin(), postings.begin() + postings.size() / 3, postings.end());
      std::rotate(postings.begin(), postings.begin() + postings.size() / 7, postings.end() - 5);
    }
    const struct {
      void (*fast)(std::vector<ArticleRec>&);
      bool (*order)(const ArticleRec&, const ArticleRec&);
    } sorts[] = {{SortPostingsByRoomTime, OrderByRoomTime},
                 {SortPostingsByTime, OrderByTime},
                 {SortPostingsByCommentCount, OrderByCommentCount}};
    for (const auto& sort : sorts) {
      std::vector<ArticleRec> expected = postings;
      SortPostings(expected, sort.order);
      std::vector<ArticleRec> actual = postings;
      sort.fast(actual);
      for (std::size_t i = 0; i < actual.size(); ++i)
        ASSERT_EQ(actual[i].Handle, expected[i].Handle) << "round " << round << " at " << i;
    }
  }
}

// Logs of many rooms give many runs in time order, merged up to a limit and
// sorted beyond it: either way equal times stay in store order.
TEST(PostingSorts, ByTimeFromRunsAroundTheMergeLimit) {
  std::mt19937 random(7);
  for (const int runs : {2, 63, 64, 65, 300}) {
    std::vector<ArticleRec> postings;
    for (int run = 0; run < runs; ++run) {
      double at = 35000;
      for (int i = 0; i < 40; ++i) {
        ArticleRec posting;
        at += static_cast<double>(random() % 2) / 1440;  // every other one ties
        posting.PostedAt = at;
        posting.Handle = std::to_string(postings.size());
        postings.push_back(posting);
      }
    }
    std::vector<ArticleRec> expected = postings;
    SortPostings(expected, OrderByTime);
    SortPostingsByTime(postings);
    for (std::size_t i = 0; i < postings.size(); ++i)
      ASSERT_EQ(postings[i].Handle, expected[i].Handle) << runs << " runs, at " << i;
  }
}

}  // namespace
}  // namespace tobrel
