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
// from indexes instead, with the same results. A room's postings stand
// together in the list, so every scan and search stays inside one stretch of
// positions. A tree of the maximum number over blocks of positions finds
// where a forward scan stops, climbing from the posting's own position; a
// tree of the minimum finds where a backward search stops, climbing from its
// start, and a second one over the sampled positions finds that start. The comments are grouped by
// target, in position order, so the comments to a number inside a stretch
// are a binary search in a small group.
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

// True for a comment numbered more than 999 above its target.
bool IsFar(std::int32_t number, std::int32_t target) {
  return static_cast<std::int64_t>(number) > static_cast<std::int64_t>(target) + kNearSpan;
}

// The maximum (or the minimum) of a list of numbers over every power-of-two
// block of positions, for searches by value inside a stretch of positions.
// The list itself stands for the blocks of one position.
class NumberTree {
 public:
  enum class Kind { Maximum, Minimum };

  // `numbers` must outlive the tree.
  NumberTree(const std::vector<std::int32_t>& numbers, Kind kind)
      : numbers_(numbers),
        // Padding never answers a search.
        padding_(kind == Kind::Maximum ? std::numeric_limits<std::int32_t>::min()
                                       : std::numeric_limits<std::int32_t>::max()) {
    while (leaves_ < numbers.size()) leaves_ *= 2;
    blocks_.assign(leaves_, padding_);
    for (std::size_t node = leaves_ - 1; node >= 1; --node)
      blocks_[node] = kind == Kind::Maximum ? std::max(Value(2 * node), Value(2 * node + 1))
                                            : std::min(Value(2 * node), Value(2 * node + 1));
  }

  // Maximum tree: the first position in [from, to) whose number is above
  // `limit`, or `to`. Climbs from `from`, so a near answer is found in a few
  // steps.
  std::size_t FirstAbove(std::size_t from, std::size_t to, std::int64_t limit) const {
    if (from >= to) return to;
    std::size_t node = leaves_ + from;
    for (;;) {
      if (Value(node) > limit) {
        while (node < leaves_) {
          node *= 2;
          if (Value(node) <= limit) ++node;
        }
        return std::min(node - leaves_, to);
      }
      while (node & 1) node >>= 1;  // up past right children
      if (node == 0) return to;
      ++node;  // the next block to the right
    }
  }

  // Minimum tree: the last position in [from, to) whose number is at most
  // `limit`, or kNone. Climbs from `to`, so a near answer is found in a few
  // steps.
  std::size_t LastAtMost(std::size_t from, std::size_t to, std::int64_t limit) const {
    if (from >= to) return kNone;
    std::size_t node = leaves_ + to - 1;
    for (;;) {
      if (Value(node) <= limit) {
        while (node < leaves_) {
          node = 2 * node + 1;
          if (Value(node) > limit) --node;
        }
        return node - leaves_ >= from ? node - leaves_ : kNone;
      }
      while (node > 1 && !(node & 1)) node >>= 1;  // up past left children
      if (node <= 1) return kNone;
      --node;  // the next block to the left
    }
  }

 private:
  // Nodes 1 .. leaves_ - 1 are blocks; leaves_ + i is position i.
  std::int32_t Value(std::size_t node) const {
    if (node < leaves_) return blocks_[node];
    const std::size_t position = node - leaves_;
    return position < numbers_.size() ? numbers_[position] : padding_;
  }

  const std::vector<std::int32_t>& numbers_;
  std::int32_t padding_;
  std::size_t leaves_ = 1;
  std::vector<std::int32_t> blocks_;
};

// The postings that name a target, grouped by target, each group in
// position order. Targets within a span of values that a table can cover
// are grouped by counting and found through the table, others by sorting
// and a binary search.
class CommentIndex {
 public:
  struct Comment {
    std::int32_t target;
    std::uint32_t position;
    bool far;  // numbered more than 999 above its target
  };

  // `numbers` and `targets`: the Number and the CommentTo of each position.
  CommentIndex(const std::vector<std::int32_t>& numbers, const std::vector<std::int32_t>& targets) {
    std::int64_t low = std::numeric_limits<std::int64_t>::max();
    std::int64_t high = std::numeric_limits<std::int64_t>::min();
    std::size_t count = 0;
    for (const std::int32_t target : targets) {
      if (target == 0) continue;
      low = std::min<std::int64_t>(low, target);
      high = std::max<std::int64_t>(high, target);
      ++count;
    }
    if (count == 0) return;
    comments_.resize(count);
    if (high - low + 1 >
        static_cast<std::int64_t>(std::max<std::size_t>(4 * targets.size(), 1 << 17))) {
      std::size_t next = 0;
      for (std::uint32_t i = 0; i < targets.size(); ++i)
        if (targets[i] != 0) comments_[next++] = {targets[i], i, IsFar(numbers[i], targets[i])};
      std::stable_sort(comments_.begin(), comments_.end(), ByTarget);
      return;
    }
    low_ = static_cast<std::int32_t>(low);
    first_.assign(static_cast<std::size_t>(high - low) + 2, 0);
    for (const std::int32_t target : targets)
      if (target != 0) ++first_[target - low_ + 1];
    for (std::size_t v = 1; v < first_.size(); ++v) first_[v] += first_[v - 1];
    std::vector<std::uint32_t> next(first_.begin(), first_.end() - 1);
    for (std::uint32_t i = 0; i < targets.size(); ++i)
      if (targets[i] != 0)
        comments_[next[targets[i] - low_]++] = {targets[i], i, IsFar(numbers[i], targets[i])};
  }

  // Every comment, by target and then by position.
  const std::vector<Comment>& comments() const { return comments_; }

  // How many postings at positions [from, to) name `target`.
  std::size_t Count(std::int32_t target, std::size_t from, std::size_t to) const {
    if (comments_.empty() || target == 0) return 0;
    const Comment* begin;
    const Comment* end;
    if (!first_.empty()) {
      const std::int64_t v = static_cast<std::int64_t>(target) - low_;
      if (v < 0 || v + 1 >= static_cast<std::int64_t>(first_.size())) return 0;
      begin = comments_.data() + first_[v];
      end = comments_.data() + first_[v + 1];
    } else {
      const auto group = std::equal_range(comments_.begin(), comments_.end(),
                                          Comment{target, 0, false}, ByTarget);
      begin = comments_.data() + (group.first - comments_.begin());
      end = comments_.data() + (group.second - comments_.begin());
    }
    auto at = [](std::size_t position) {
      return [position](const Comment& c) { return c.position < position; };
    };
    const Comment* first = std::partition_point(begin, end, at(from));
    return static_cast<std::size_t>(std::partition_point(first, end, at(to)) - first);
  }

 private:
  static bool ByTarget(const Comment& a, const Comment& b) { return a.target < b.target; }

  std::vector<Comment> comments_;
  std::int32_t low_ = 0;
  std::vector<std::uint32_t> first_;  // by target - low_: its group's first index
};

// The stretch of positions of one room.
struct RoomStretch {
  std::uint32_t begin;
  std::uint32_t end;
};

// Gathers the far comments per room and target and adds each count to the
// posting that the backward search from its start position finds. The
// comments come grouped by target in position order, so the far comments of
// one room to one target stand together.
void CountFarComments(std::vector<ArticleRec>& postings, const std::vector<std::int32_t>& numbers,
                      const std::vector<RoomStretch>& rooms, const CommentIndex& index) {
  const std::size_t n = postings.size();
  const NumberTree tree(numbers, NumberTree::Kind::Minimum);

  // The sampled positions 0, 1000, 2000, ... that the start search may try.
  const std::size_t last_sample = n >= 1001 ? n / kSampleStep - 1 : 0;
  std::vector<std::int32_t> sampled;
  for (std::size_t m = 0; m <= last_sample && last_sample >= 2; ++m)
    sampled.push_back(numbers[m * kSampleStep]);
  const NumberTree sample_tree(sampled, NumberTree::Kind::Minimum);

  auto credit = [&](std::int32_t target, const RoomStretch& room, std::int32_t count) {
    std::size_t start = n - 1;
    if (!sampled.empty()) {
      // Samples 2 .. last_sample that fall inside the room's stretch.
      const std::size_t first_m =
          std::max<std::size_t>(2, (room.begin + kSampleStep - 1) / kSampleStep);
      const std::size_t end_m = std::min(last_sample + 1, (room.end - 1) / kSampleStep + 1);
      if (first_m < end_m) {
        const std::size_t m =
            sample_tree.LastAtMost(first_m, end_m, static_cast<std::int64_t>(target) - 1);
        if (m != kNone) start = std::min(m * kSampleStep + kSampleStep, n - 1);
      }
    }
    if (start < room.begin) return;
    const std::size_t to = std::min<std::size_t>(start + 1, room.end);
    const std::size_t found = tree.LastAtMost(room.begin, to, target);
    if (found != kNone && numbers[found] == target) postings[found].CommentCount += count;
  };

  // The runs of far comments of one room to one target, in target order.
  struct Run {
    std::uint32_t room;  // index in `rooms`
    std::int32_t target;
    std::int32_t count;
  };
  std::vector<Run> runs;
  for (const CommentIndex::Comment& comment : index.comments()) {
    if (!comment.far) continue;
    if (!runs.empty() && runs.back().target == comment.target &&
        comment.position < rooms[runs.back().room].end) {
      ++runs.back().count;
      continue;
    }
    const auto room = std::partition_point(rooms.begin(), rooms.end(), [&](const RoomStretch& r) {
      return r.end <= comment.position;
    });
    runs.push_back({static_cast<std::uint32_t>(room - rooms.begin()), comment.target, 1});
  }
  // Searched room by room, each room's targets in rising order, the searches
  // move through the list in one direction.
  std::vector<std::size_t> first(rooms.size() + 1, 0);
  for (const Run& run : runs) ++first[run.room + 1];
  for (std::size_t r = 1; r < first.size(); ++r) first[r] += first[r - 1];
  std::vector<Run> by_room(runs.size());
  for (const Run& run : runs) by_room[first[run.room]++] = run;
  for (const Run& run : by_room) credit(run.target, rooms[run.room], run.count);
}

}  // namespace

void RecountComments(std::vector<ArticleRec>& postings, TallyProgress& progress) {
  static const std::string kRecounting = cp932::FromUtf8("コメントの再計算中...");
  progress.ShowProgress(kRecounting);
  // The fields the recount reads, copied out in one pass over the records.
  const std::size_t n = postings.size();
  std::vector<std::int32_t> numbers(n);
  std::vector<std::int32_t> targets(n);
  std::vector<RoomStretch> rooms;
  for (std::size_t i = 0; i < n; ++i) {
    numbers[i] = postings[i].Number;
    targets[i] = postings[i].CommentTo;
    if (i == 0 || postings[i].Room != postings[i - 1].Room) {
      if (!rooms.empty()) rooms.back().end = static_cast<std::uint32_t>(i);
      rooms.push_back({static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(n)});
    }
  }
  const CommentIndex comments(numbers, targets);
  const NumberTree tree(numbers, NumberTree::Kind::Maximum);

  // Near comments, room by room. When a posting's scan would reach at least
  // as high as the previous posting's, it runs past everything that one
  // passed, so its search starts where that one stopped.
  bool far_comments = false;
  for (const RoomStretch& room : rooms) {
    std::size_t previous_stop = room.begin;
    std::int64_t previous_limit = std::numeric_limits<std::int64_t>::min();
    for (std::size_t i = room.begin; i < room.end; ++i) {
      const std::int64_t limit = numbers[i] + kNearSpan;
      const std::size_t from = limit >= previous_limit ? std::max(previous_stop, i + 1) : i + 1;
      const std::size_t stop = tree.FirstAbove(from, room.end, limit);
      previous_stop = stop;
      previous_limit = limit;
      postings[i].CommentCount = static_cast<std::int32_t>(comments.Count(numbers[i], i + 1, stop));
      far_comments |= targets[i] != 0 && IsFar(numbers[i], targets[i]);
    }
  }
  if (far_comments) CountFarComments(postings, numbers, rooms, comments);
}

}  // namespace tobrel
