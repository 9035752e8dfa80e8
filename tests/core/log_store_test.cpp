#include "core/log_store.h"

#include <gtest/gtest.h>

#include "core/format_thousands.h"
#include "support/sjis.h"

namespace tobrel {
namespace {

ArticleRec Posting(int room, int number, int day, const char* id, const char* handle = "h") {
  ArticleRec r;
  r.Room = room;
  r.Number = number;
  r.PostedAt = *EncodeDateTime({1997, 5, day, 12, 0, 0});
  r.Id = id;
  r.Handle = handle;
  return r;
}

TEST(LogStore, RemoveDuplicatesKeepsTheLastOfEachRun) {
  LogStore store;
  store.Postings = {
      Posting(1, 2, 2, "ABC00001", "first copy"),
      Posting(1, 1, 1, "ABC00001"),
      Posting(1, 2, 2, "ABC00001", "second copy"),
      Posting(1, 2, 3, "ABC00001"),  // another date-time: kept
      Posting(1, 2, 2, "ABC00002"),  // another ID: kept
      Posting(2, 2, 2, "ABC00001"),  // another room: kept
  };
  RemoveDuplicates(store);
  ASSERT_EQ(store.Postings.size(), 5u);
  ASSERT_EQ(store.Excluded.size(), 1u);
  EXPECT_EQ(store.Excluded[0].Reason, ExclusionReason::Duplicate);
  EXPECT_EQ(store.Excluded[0].Handle, "first copy");
  // Sorted by room, time and number; the stable sort keeps reading order
  // among equal keys, so the later copy is the one that stays.
  EXPECT_EQ(store.Postings[1].Handle, "second copy");
  EXPECT_EQ(store.Postings[0].Number, 1);
  EXPECT_EQ(store.Postings[4].Room, 2);
}

TEST(LogStore, RemoveDuplicatesOnAnEmptyStoreDoesNothing) {
  LogStore store;
  RemoveDuplicates(store);
  EXPECT_TRUE(store.Postings.empty());
  EXPECT_TRUE(store.Excluded.empty());
}

TEST(LogStore, ExcludedRecordsAreOneByteNarrower) {
  ArticleRec r = Posting(1, 1, 1, "ABC01234", "1234567890123456");
  const std::string title_41 = "12345678901234567890123456789012345678901";
  r.Title = title_41 + "cut";
  EXPECT_EQ(r.Title.view(), title_41);
  const ExcludedRec e = MakeExcludedRec(ExclusionReason::ByTitle, r);
  EXPECT_EQ(e.Title.view(), title_41.substr(0, 40));
  EXPECT_EQ(e.Handle.view(), "1234567890123456");
  EXPECT_EQ(e.Id.view(), "ABC01234");
}

TEST(LogStore, Orders) {
  std::vector<ArticleRec> postings = {Posting(2, 1, 1, "A"), Posting(1, 9, 3, "B"),
                                      Posting(1, 3, 3, "C"), Posting(1, 5, 2, "D")};
  postings[0].CommentCount = 1;
  postings[2].CommentCount = 4;
  postings[3].CommentCount = 4;
  auto ids = [&] {
    std::string out;
    for (const auto& p : postings) out += p.Id.view();
    return out;
  };
  SortPostings(postings, OrderByRoomTime);
  EXPECT_EQ(ids(), "DCBA");
  SortPostings(postings, OrderByTime);
  EXPECT_EQ(ids(), "ADCB");
  SortPostings(postings, OrderByCommentCount);
  EXPECT_EQ(ids(), "CDAB");
}

TEST(LogStore, DeletedPostingTests) {
  ArticleRec r;
  r.Id = "********";
  r.Title = testing::S("発言者削除しました");
  EXPECT_TRUE(IsSysopDeleted(r));
  EXPECT_TRUE(IsPosterDeleted(r));
  r.Id = "***0****";
  r.Title = testing::S("発言者削");
  EXPECT_FALSE(IsSysopDeleted(r));
  EXPECT_FALSE(IsPosterDeleted(r));
}

TEST(LogStore, IsNiftyIdText) {
  for (const char* good : {"ABC01234", "ZZZ99999", "AAA00000"}) EXPECT_TRUE(IsNiftyIdText(good));
  for (const char* bad : {"abc01234", "ABC0123", "ABC012345", "AB001234", "ABC0123A", "********",
                          "", "\x82\x60" "BC01234"})
    EXPECT_FALSE(IsNiftyIdText(bad)) << bad;
}

TEST(FormatThousands, GroupsByThree) {
  static const struct {
    std::int64_t value;
    const char* text;
  } cases[] = {{0, "0"},         {100, "100"},       {999, "999"},
               {1000, "1,000"},  {100000, "100,000"}, {1234567, "1,234,567"},
               {2147483647, "2,147,483,647"}, {-1234, "-1,234"}};
  for (const auto& c : cases) EXPECT_EQ(FormatThousands(c.value), c.text);
}

}  // namespace
}  // namespace tobrel
