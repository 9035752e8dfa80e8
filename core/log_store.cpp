#include "core/log_store.h"

#include <algorithm>

namespace tobrel {

bool OrderByRoomTime(const ArticleRec& a, const ArticleRec& b) {
  if (a.Room != b.Room) return a.Room < b.Room;
  if (a.PostedAt != b.PostedAt) return a.PostedAt < b.PostedAt;
  return a.Number < b.Number;
}

bool OrderByTime(const ArticleRec& a, const ArticleRec& b) { return a.PostedAt < b.PostedAt; }

bool OrderByCommentCount(const ArticleRec& a, const ArticleRec& b) {
  if (a.CommentCount != b.CommentCount) return a.CommentCount > b.CommentCount;
  if (a.Room != b.Room) return a.Room < b.Room;
  return a.Number < b.Number;
}

// Sorts positions rather than records (a record is over a hundred bytes),
// then moves every record once into its place.
void SortPostings(std::vector<ArticleRec>& postings,
                  bool (*order)(const ArticleRec&, const ArticleRec&)) {
  std::vector<std::uint32_t> positions(postings.size());
  for (std::uint32_t i = 0; i < positions.size(); ++i) positions[i] = i;
  std::stable_sort(positions.begin(), positions.end(), [&](std::uint32_t a, std::uint32_t b) {
    return order(postings[a], postings[b]);
  });
  std::vector<ArticleRec> sorted;
  sorted.reserve(postings.size());
  for (std::uint32_t position : positions) sorted.push_back(postings[position]);
  postings.swap(sorted);
}

ExcludedRec MakeExcludedRec(ExclusionReason reason, const ArticleRec& posting) {
  ExcludedRec record;
  record.Reason = reason;
  record.Room = posting.Room;
  record.Number = posting.Number;
  record.Id = posting.Id.view();
  record.Handle = posting.Handle.view();
  record.Title = posting.Title.view();
  return record;
}

namespace {

// The same order as SortPostings with OrderByRoomTime, made faster for the
// whole store at the end of every reading run: the keys are copied out with
// each record's position, so the sort compares small packed keys and moves
// every record once. The position breaks ties, which keeps the sort stable.
void SortByRoomTime(std::vector<ArticleRec>& postings) {
  struct Key {
    std::int32_t room;
    std::int32_t number;
    DateTime posted_at;
    std::uint32_t position;
  };
  std::vector<Key> keys(postings.size());
  for (std::uint32_t i = 0; i < keys.size(); ++i)
    keys[i] = {postings[i].Room, postings[i].Number, postings[i].PostedAt, i};
  std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
    if (a.room != b.room) return a.room < b.room;
    if (a.posted_at != b.posted_at) return a.posted_at < b.posted_at;
    if (a.number != b.number) return a.number < b.number;
    return a.position < b.position;
  });
  std::vector<ArticleRec> sorted;
  sorted.reserve(postings.size());
  for (const Key& key : keys) sorted.push_back(postings[key.position]);
  postings.swap(sorted);
}

}  // namespace

void RemoveDuplicates(LogStore& store) {
  auto& postings = store.Postings;
  SortByRoomTime(postings);

  // The key of the posting after the one looked at; it starts as a sentinel
  // that no real posting equals.
  struct Key {
    std::int32_t room;
    std::int32_t number;
    DateTime posted_at;
    std::string_view id;
  };
  static const DateTime kSentinelTime =
      *EncodeDateTime({2050, 12, 31, 23, 59, 59});
  Key previous{99, 99999, kSentinelTime, "***0****"};

  // Walk from the last posting to the first, moving the kept ones to the back
  // so that removing is a single pass.
  std::vector<bool> duplicate(postings.size(), false);
  std::size_t duplicates = 0;
  for (std::size_t i = postings.size(); i-- > 0;) {
    const ArticleRec& posting = postings[i];
    if (posting.Room == previous.room && posting.Number == previous.number &&
        posting.PostedAt == previous.posted_at && posting.Id.view() == previous.id) {
      store.Excluded.push_back(MakeExcludedRec(ExclusionReason::Duplicate, posting));
      duplicate[i] = true;
      ++duplicates;
    } else {
      previous = {posting.Room, posting.Number, posting.PostedAt, posting.Id.view()};
    }
  }
  if (duplicates == 0) return;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < postings.size(); ++i)
    if (!duplicate[i]) postings[kept++] = postings[i];
  postings.resize(kept);
}

}  // namespace tobrel
