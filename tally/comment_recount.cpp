// Comment recount. A posting's comments are the postings of its room whose
// CommentTo names its number; they are counted in two passes over the list,
// which is in room, time, number order.
//
// Near comments: from each posting P the list is scanned forward, within P's
// room, up to the first posting numbered more than 999 above P; every
// scanned posting that names P's number counts for P.
//
// Far comments: a comment numbered more than 999 above its target is never
// reached by that scan. Such comments are gathered per (room, target) and
// each gathered count goes to the posting that a backward search finds:
// from a start position downward it passes postings of other rooms and
// postings numbered above the target, and stops at the first posting of the
// room numbered at or below the target, which takes the count when its
// number is the target. The start is the last position; on a list of 3000
// postings or more, the sampled positions k * 1000, (k - 1) * 1000, ...,
// 2000 (k = n / 1000 - 1) are looked at first, and the first of them that
// holds a posting of the room numbered below the target moves the start to
// 1000 positions above it (at most the last position).
//
// Done posting by posting, the forward scan costs up to a thousand steps per
// posting and every backward search a pass over the list. Both are answered
// from indexes instead, with the same results: a room's postings stand
// together in the list, so every scan and search stays inside one stretch of
// positions; a tree of the minimum and maximum number over ranges of
// positions finds where a forward scan stops and where a backward search
// stops, a second one over the sampled positions finds the start; and the
// comments sorted by (target, position) give the comments to a number inside
// a stretch by two binary searches.
#include "tally/comment_recount.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/cp932.h"

namespace tobrel {
namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
constexpr std::int64_t kNearSpan = 999;
constexpr std::size_t kSampleStep = 1000;

// The minimum and the maximum of a list of numbers over every power-of-two
// block of positions, for searches by value inside a stretch of positions.
class NumberTree {
 public:
  explicit NumberTree(const std::vector<std::int32_t>& numbers) : size_(numbers.size()) {
    while (leaves_ < size_) leaves_ *= 2;
    min_.assign(2 * leaves_, std::numeric_limits<std::int32_t>::max());
    max_.assign(2 * leaves_, std::numeric_limits<std::int32_t>::min());
    for (std::size_t i = 0; i < size_; ++i) min_[leaves_ + i] = max_[leaves_ + i] = numbers[i];
    for (std::size_t node = leaves_ - 1; node >= 1; --node) {
      min_[node] = std::min(min_[2 * node], min_[2 * node + 1]);
      max_[node] = std::max(max_[2 * node], max_[2 * node + 1]);
    }
  }

  // The first position in [from, to) whose number is above `limit`, or `to`.
  std::size_t FirstAbove(std::size_t from, std::size_t to, std::int64_t limit) const {
    const std::size_t found = FirstAbove(1, 0, leaves_, from, to, limit);
    return found == kNone ? to : found;
  }

  // The last position in [from, to) whose number is at most `limit`, or kNone.
  std::size_t LastAtMost(std::size_t from, std::size_t to, std::int64_t limit) const {
    return LastAtMost(1, 0, leaves_, from, to, limit);
  }

 private:
  std::size_t FirstAbove(std::size_t node, std::size_t low, std::size_t high, std::size_t from,
                         std::size_t to, std::int64_t limit) const {
    if (high <= from || to <= low || max_[node] <= limit) return kNone;
    if (high - low == 1) return low;
    const std::size_t middle = (low + high) / 2;
    const std::size_t left = FirstAbove(2 * node, low, middle, from, to, limit);
    return left != kNone ? left : FirstAbove(2 * node + 1, middle, high, from, to, limit);
  }

  std::size_t LastAtMost(std::size_t node, std::size_t low, std::size_t high, std::size_t from,
                         std::size_t to, std::int64_t limit) const {
    if (high <= from || to <= low || min_[node] > limit) return kNone;
    if (high - low == 1) return low;
    const std::size_t middle = (low + high) / 2;
    const std::size_t right = LastAtMost(2 * node + 1, middle, high, from, to, limit);
    return right != kNone ? right : LastAtMost(2 * node, low, middle, from, to, limit);
  }

  std::size_t size_;
  std::size_t leaves_ = 1;
  std::vector<std::int32_t> min_;
  std::vector<std::int32_t> max_;
};

// A posting that names a target, by target and then by position.
struct Comment {
  std::int32_t target;
  std::uint32_t position;
  friend bool operator<(const Comment& a, const Comment& b) {
    return a.target != b.target ? a.target < b.target : a.position < b.position;
  }
};

// A far comment: its room, its target and its position's room stretch.
struct FarComment {
  std::int32_t room;
  std::int32_t target;
  std::uint32_t room_begin;
  std::uint32_t room_end;
  friend bool operator<(const FarComment& a, const FarComment& b) {
    return a.room != b.room ? a.room < b.room : a.target < b.target;
  }
  friend bool operator==(const FarComment& a, const FarComment& b) {
    return a.room == b.room && a.target == b.target;
  }
};

bool IsFarComment(const ArticleRec& posting) {
  return posting.CommentTo != 0 &&
         static_cast<std::int64_t>(posting.Number) >
             static_cast<std::int64_t>(posting.CommentTo) + kNearSpan;
}

}  // namespace

void RecountComments(std::vector<ArticleRec>& postings, TallyProgress& progress) {
  static const std::string kRecounting = cp932::FromUtf8("コメントの再計算中...");
  progress.ShowProgress(kRecounting);
  const std::size_t n = postings.size();
  if (n == 0) return;

  std::vector<std::int32_t> numbers(n);
  std::vector<std::uint32_t> room_end(n);  // the end of each posting's room stretch
  std::vector<std::uint32_t> room_begin(n);
  std::vector<Comment> comments;
  for (std::size_t i = 0; i < n; ++i) {
    numbers[i] = postings[i].Number;
    room_begin[i] = i > 0 && postings[i - 1].Room == postings[i].Room
                        ? room_begin[i - 1]
                        : static_cast<std::uint32_t>(i);
    if (postings[i].CommentTo != 0)
      comments.push_back({postings[i].CommentTo, static_cast<std::uint32_t>(i)});
  }
  for (std::size_t i = n; i-- > 0;)
    room_end[i] = i + 1 < n && postings[i + 1].Room == postings[i].Room
                      ? room_end[i + 1]
                      : static_cast<std::uint32_t>(i + 1);
  std::sort(comments.begin(), comments.end());
  const NumberTree tree(numbers);

  // Near comments.
  for (std::size_t i = 0; i < n; ++i) {
    const std::int32_t number = postings[i].Number;
    const std::size_t stop = tree.FirstAbove(i + 1, room_end[i], number + kNearSpan);
    const auto first = std::lower_bound(comments.begin(), comments.end(),
                                        Comment{number, static_cast<std::uint32_t>(i + 1)});
    const auto last = std::lower_bound(first, comments.end(),
                                       Comment{number, static_cast<std::uint32_t>(stop)});
    postings[i].CommentCount = static_cast<std::int32_t>(last - first);
  }

  // Far comments, counted per (room, target).
  std::vector<FarComment> far;
  for (std::size_t i = 0; i < n; ++i)
    if (IsFarComment(postings[i]))
      far.push_back({postings[i].Room, postings[i].CommentTo, room_begin[i], room_end[i]});
  if (far.empty()) return;
  std::sort(far.begin(), far.end());

  // The sampled positions 0, 1000, 2000, ... that the start search may try.
  const std::size_t last_sample = n >= 1001 ? n / kSampleStep - 1 : 0;
  std::vector<std::int32_t> sampled;
  for (std::size_t m = 0; m <= last_sample && last_sample >= 2; ++m)
    sampled.push_back(numbers[m * kSampleStep]);
  const NumberTree sample_tree(sampled);

  for (std::size_t run = 0; run < far.size();) {
    std::size_t next = run;
    while (next < far.size() && far[next] == far[run]) ++next;
    const FarComment& entry = far[run];
    const auto count = static_cast<std::int32_t>(next - run);
    run = next;

    std::size_t start = n - 1;
    if (!sampled.empty()) {
      // Samples 2 .. last_sample that fall inside the room's stretch.
      const std::size_t first_m =
          std::max<std::size_t>(2, (entry.room_begin + kSampleStep - 1) / kSampleStep);
      const std::size_t end_m = std::min(last_sample + 1, (entry.room_end - 1) / kSampleStep + 1);
      if (first_m < end_m) {
        const std::size_t m =
            sample_tree.LastAtMost(first_m, end_m, static_cast<std::int64_t>(entry.target) - 1);
        if (m != kNone) start = std::min(m * kSampleStep + kSampleStep, n - 1);
      }
    }
    if (start < entry.room_begin) continue;
    const std::size_t to = std::min<std::size_t>(start + 1, entry.room_end);
    const std::size_t found = tree.LastAtMost(entry.room_begin, to, entry.target);
    if (found != kNone && numbers[found] == entry.target) postings[found].CommentCount += count;
  }
}

}  // namespace tobrel
