#include "core/log_store.h"

#include <algorithm>

#include "core/posting_sorts.h"

namespace tobrel {

void ClearStore(LogStore& store) {
  ClearPostings(store.Postings);
  ClearPostings(store.Excluded);
  store.ReadFiles.clear();
  store.CommentsRecounted = false;
}

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

void SortPostings(std::vector<ArticleRec>& postings,
                  bool (*order)(const ArticleRec&, const ArticleRec&)) {
  std::stable_sort(postings.begin(), postings.end(), order);
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

void RemoveDuplicates(LogStore& store) {
  auto& postings = store.Postings;
  SortPostingsByRoomTime(postings);

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
