// Sorting postings. A record is over a hundred bytes and its fields lie far
// apart in a large store, so comparing records through the order's
// predicate costs a cache miss per comparison. Instead each record's keys
// are copied out with its position into a small flat key (the position
// breaks ties, which keeps the sort stable), the keys are sorted, and the
// records are copied once, in their new order, into a new list. Postings
// already in order are left alone, as after a reading run or an earlier
// tally that sorted the same way. By room and time, the keys are first
// dealt out by room (logs have few rooms), and only a room whose keys are
// out of order is sorted. Keys mostly in order (a few ascending runs, as
// when logs are read one after another) are merged run by run. By time,
// postings that stand in a few runs in order (the rooms of a log sorted by
// room) are merged straight from the records through a small heap, with no
// keys to copy or sort. The big lists get large pages
// (platform/large_pages.h). The list a reordering
// leaves behind is kept for the next one to write into: memory written once
// already costs no page faults, where fresh memory is cleared by the system
// first (a whole tally sorts the same archive several times).
#include "core/posting_sorts.h"

#include <algorithm>
#include <cstdint>
#include <thread>
#include <utility>

#include "core/log_store.h"
#include "core/side_by_side.h"
#include "platform/large_pages.h"
#include "platform/second_thread.h"

namespace tobrel {
namespace {

// The list the last reordering on this thread left behind.
thread_local std::vector<ArticleRec> spare;

// The list that a reordering gathers the records into: the spare one when
// it is large enough, else a fresh one, which a second thread has the
// system clear while the keys are sorted (clearing fresh memory costs about
// as much as the gathering itself).
class OrderedList {
 public:
  explicit OrderedList(std::size_t size) : list_(std::move(spare)) {
    spare = {};
    list_.clear();
    if (list_.capacity() >= size) return;
    list_ = {};
    ReserveWithLargePages(list_, size);
    ready_ = StartSecondThread(
        [data = list_.data(), bytes = size * sizeof(ArticleRec)] { PrefaultForWriting(data, bytes); });
  }
  OrderedList(const OrderedList&) = delete;
  OrderedList& operator=(const OrderedList&) = delete;
  ~OrderedList() { Wait(); }

  std::vector<ArticleRec>& Ready() {
    Wait();
    return list_;
  }

 private:
  void Wait() {
    if (ready_.joinable()) ready_.join();
  }

  std::vector<ArticleRec> list_;
  std::thread ready_;
};

// Moves the record at source[i] to place i, for every i: the records are
// gathered in their new order into `into`, written front to end. (In
// place, following the cycles of the order, takes no second list but is
// several times slower: each step waits for the record before it.)
void MoveIntoOrder(std::vector<ArticleRec>& postings, const std::vector<std::uint32_t>& source,
                   OrderedList& into) {
  std::vector<ArticleRec>& ordered = into.Ready();
  for (const std::uint32_t from : source) ordered.push_back(std::move(postings[from]));
  spare = std::move(postings);
  spare.clear();
  postings = std::move(ordered);
}

// Sorts keys that no two compare equal under `before`. Keys that stand in
// ascending runs (logs read one after another, two-digit years that wrap)
// are merged run by run instead of sorted afresh, as long as the runs are
// long enough (on average 32 keys or more) for merging to pay.
template <typename Key, typename Before>
void SortKeys(typename std::vector<Key>::iterator first, typename std::vector<Key>::iterator last,
              Before before) {
  const std::size_t most_runs =
      std::max<std::size_t>(64, static_cast<std::size_t>(last - first) / 32);
  std::vector<typename std::vector<Key>::iterator> run_starts{first};
  for (auto it = first; it != last && it + 1 != last; ++it) {
    if (!before(*(it + 1), *it)) continue;
    if (run_starts.size() == most_runs) {
      std::sort(first, last, before);
      return;
    }
    run_starts.push_back(it + 1);
  }
  run_starts.push_back(last);
  // Neighbouring runs are merged in pairs until one run is left.
  while (run_starts.size() > 2) {
    std::size_t kept = 1;
    for (std::size_t r = 0; r + 2 < run_starts.size(); r += 2) {
      std::inplace_merge(run_starts[r], run_starts[r + 1], run_starts[r + 2], before);
      run_starts[kept++] = run_starts[r + 2];
    }
    if (run_starts.size() % 2 == 0) run_starts[kept++] = run_starts.back();
    run_starts.resize(kept);
  }
}

// Fewer keys than this are sorted on one thread: starting a second costs
// more than it saves.
constexpr std::size_t kSideBySideKeys = 1u << 16;

// A 32-bit signed value as unsigned, in the same order.
std::uint32_t Ordered(std::int32_t value) {
  return static_cast<std::uint32_t>(value) ^ 0x80000000u;
}

// Runs of postings in time order are merged through a heap of their first
// postings when there are at most this many of them (as many as the rooms
// of logs read one after another); more are sorted as keys.
constexpr std::size_t kMostMergedRuns = 64;

// The bounds of the runs of postings that stand in time order: the first
// position of each run, then the end. Empty when there are more than
// `most_runs` runs (or no postings).
std::vector<std::uint32_t> TimeRunBounds(const std::vector<ArticleRec>& postings,
                                         std::size_t most_runs) {
  if (postings.empty()) return {};
  std::vector<std::uint32_t> bounds{0};
  const auto size = static_cast<std::uint32_t>(postings.size());
  for (std::uint32_t i = 1; i < size; ++i) {
    if (!(postings[i].PostedAt < postings[i - 1].PostedAt)) continue;
    if (bounds.size() == most_runs) return {};
    bounds.push_back(i);
  }
  bounds.push_back(size);
  return bounds;
}

// The positions of the postings in time order, merged from the runs that
// `bounds` gives. Each step takes the earliest first posting of a run; of
// equal times the earlier run's, which, as the runs follow each other and
// each is in position order, keeps postings of one time in position order.
std::vector<std::uint32_t> MergedByTime(const std::vector<ArticleRec>& postings,
                                        const std::vector<std::uint32_t>& bounds) {
  struct Head {
    DateTime posted_at;
    std::uint32_t run;
  };
  const auto later = [](const Head& a, const Head& b) {
    if (a.posted_at != b.posted_at) return a.posted_at > b.posted_at;
    return a.run > b.run;
  };
  const std::size_t runs = bounds.size() - 1;
  std::vector<std::uint32_t> next(bounds.begin(), bounds.end() - 1);
  std::vector<Head> heap;
  for (std::uint32_t run = 0; run < runs; ++run) heap.push_back({postings[next[run]].PostedAt, run});
  std::make_heap(heap.begin(), heap.end(), later);
  std::vector<std::uint32_t> source = LargePagesVector<std::uint32_t>(postings.size());
  std::size_t out = 0;
  while (!heap.empty()) {
    const std::uint32_t run = heap.front().run;
    source[out++] = next[run]++;
    if (next[run] == bounds[run + 1]) {
      std::pop_heap(heap.begin(), heap.end(), later);
      heap.pop_back();
      continue;
    }
    // The run's next posting takes the top and sinks to its place.
    const Head head{postings[next[run]].PostedAt, run};
    std::size_t hole = 0;
    for (;;) {
      std::size_t child = 2 * hole + 1;
      if (child >= heap.size()) break;
      if (child + 1 < heap.size() && later(heap[child], heap[child + 1])) ++child;
      if (!later(head, heap[child])) break;
      heap[hole] = heap[child];
      hole = child;
    }
    heap[hole] = head;
  }
  return source;
}

}  // namespace

void SortPostingsByRoomTime(std::vector<ArticleRec>& postings) {
  if (std::is_sorted(postings.begin(), postings.end(), OrderByRoomTime)) return;
  OrderedList ordered(postings.size());
  struct Key {
    DateTime posted_at;
    std::uint64_t room_number;  // room, then number
    std::uint32_t position;
  };
  std::vector<Key> keys = LargePagesVector<Key>(postings.size());
  std::uint32_t low_room = ~0u, high_room = 0;
  for (std::uint32_t i = 0; i < keys.size(); ++i) {
    const ArticleRec& posting = postings[i];
    keys[i] = {posting.PostedAt,
               static_cast<std::uint64_t>(Ordered(posting.Room)) << 32 | Ordered(posting.Number),
               i};
    low_room = std::min(low_room, Ordered(posting.Room));
    high_room = std::max(high_room, Ordered(posting.Room));
  }
  const auto before = [](const Key& a, const Key& b) {
    const std::uint32_t room_a = a.room_number >> 32, room_b = b.room_number >> 32;
    if (room_a != room_b) return room_a < room_b;
    if (a.posted_at != b.posted_at) return a.posted_at < b.posted_at;
    if (a.room_number != b.room_number) return a.room_number < b.room_number;
    return a.position < b.position;
  };
  constexpr std::uint32_t kManyRooms = 4096;
  if (high_room - low_room < kManyRooms) {
    // Few rooms, as always in logs: the keys are dealt out by room, in
    // their order, and each room's keys are sorted only when they are not
    // in order already (a room's log is written in the order of time).
    std::vector<std::uint32_t> room_starts(high_room - low_room + 2, 0);
    for (const Key& key : keys) ++room_starts[(key.room_number >> 32) - low_room + 1];
    for (std::size_t r = 1; r < room_starts.size(); ++r) room_starts[r] += room_starts[r - 1];
    std::vector<Key> by_room = LargePagesVector<Key>(keys.size());
    std::vector<std::uint32_t> next(room_starts.begin(), room_starts.end() - 1);
    for (const Key& key : keys) by_room[next[(key.room_number >> 32) - low_room]++] = key;
    keys = std::move(by_room);
    // The rooms are sorted on two threads, each taking rooms that hold about
    // half of the keys.
    auto sort_rooms = [&keys, &room_starts, &before](std::size_t first_room, std::size_t end_room) {
      for (std::size_t r = first_room; r < end_room; ++r) {
        const auto first = keys.begin() + room_starts[r], last = keys.begin() + room_starts[r + 1];
        SortKeys<Key>(first, last, before);
      }
    };
    const std::size_t rooms = room_starts.size() - 1;
    const std::size_t middle = static_cast<std::size_t>(
        std::lower_bound(room_starts.begin(), room_starts.end() - 1, keys.size() / 2) -
        room_starts.begin());
    if (keys.size() < kSideBySideKeys)
      sort_rooms(0, rooms);
    else
      RunSideBySide([&sort_rooms, middle, rooms] { sort_rooms(middle, rooms); },
                    [&sort_rooms, middle] { sort_rooms(0, middle); });
  } else {
    SortKeys<Key>(keys.begin(), keys.end(), before);
  }
  std::vector<std::uint32_t> source = LargePagesVector<std::uint32_t>(keys.size());
  for (std::uint32_t i = 0; i < keys.size(); ++i) source[i] = keys[i].position;
  keys = {};
  MoveIntoOrder(postings, source, ordered);
}

void SortPostingsByTime(std::vector<ArticleRec>& postings) {
  const std::vector<std::uint32_t> runs = TimeRunBounds(postings, kMostMergedRuns);
  if (!runs.empty()) {
    if (runs.size() <= 2) return;  // one run: in order already
    OrderedList ordered(postings.size());
    MoveIntoOrder(postings, MergedByTime(postings, runs), ordered);
    return;
  }
  OrderedList ordered(postings.size());
  struct Key {
    DateTime posted_at;
    std::uint32_t position;
  };
  std::vector<Key> keys = LargePagesVector<Key>(postings.size());
  for (std::uint32_t i = 0; i < keys.size(); ++i) keys[i] = {postings[i].PostedAt, i};
  SortKeys<Key>(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
    if (a.posted_at != b.posted_at) return a.posted_at < b.posted_at;
    return a.position < b.position;
  });
  std::vector<std::uint32_t> source = LargePagesVector<std::uint32_t>(keys.size());
  for (std::uint32_t i = 0; i < keys.size(); ++i) source[i] = keys[i].position;
  keys = {};
  MoveIntoOrder(postings, source, ordered);
}

void SortPostingsByCommentCount(std::vector<ArticleRec>& postings) {
  if (std::is_sorted(postings.begin(), postings.end(), OrderByCommentCount)) return;
  OrderedList ordered(postings.size());
  // Comment count descending, room, number and position ascending, packed
  // into one number.
  using Key = unsigned __int128;
  std::vector<Key> keys = LargePagesVector<Key>(postings.size());
  for (std::uint32_t i = 0; i < keys.size(); ++i) {
    const ArticleRec& posting = postings[i];
    keys[i] = static_cast<Key>(~Ordered(posting.CommentCount)) << 96 |
              static_cast<Key>(Ordered(posting.Room)) << 64 |
              static_cast<Key>(Ordered(posting.Number)) << 32 | i;
  }
  std::sort(keys.begin(), keys.end());
  std::vector<std::uint32_t> source = LargePagesVector<std::uint32_t>(keys.size());
  for (std::uint32_t i = 0; i < keys.size(); ++i) source[i] = static_cast<std::uint32_t>(keys[i]);
  keys = {};
  MoveIntoOrder(postings, source, ordered);
}

}  // namespace tobrel
