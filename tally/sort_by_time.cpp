// Sorting by time. The records are large, so sorting them directly moves a
// lot of memory many times over. Instead the date-times are copied out with
// each record's position and sorted as small keys (the position breaks ties,
// which keeps the order stable), and the records are then put into place by
// following the cycles of that permutation, moving each record once and
// needing no second copy of the store. Postings that are already in time
// order are left alone.
#include "tally/sort_by_time.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "core/log_store.h"

namespace tobrel {

void SortPostingsByTime(std::vector<ArticleRec>& postings) {
  if (std::is_sorted(postings.begin(), postings.end(), OrderByTime)) return;
  struct Key {
    DateTime posted_at;
    std::uint32_t position;
  };
  std::vector<Key> keys(postings.size());
  for (std::uint32_t i = 0; i < keys.size(); ++i) keys[i] = {postings[i].PostedAt, i};
  std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
    if (a.posted_at != b.posted_at) return a.posted_at < b.posted_at;
    return a.position < b.position;
  });

  // Place i takes the record now at keys[i].position. Each cycle of the
  // permutation is walked once; a placed entry is marked by its own index.
  std::vector<std::uint32_t> source(keys.size());
  for (std::uint32_t i = 0; i < keys.size(); ++i) source[i] = keys[i].position;
  keys = {};
  for (std::uint32_t start = 0; start < source.size(); ++start) {
    if (source[start] == start) continue;
    ArticleRec held = std::move(postings[start]);
    std::uint32_t place = start;
    while (source[place] != start) {
      const std::uint32_t from = source[place];
      postings[place] = std::move(postings[from]);
      source[place] = place;
      place = from;
    }
    postings[place] = std::move(held);
    source[place] = place;
  }
}

}  // namespace tobrel
