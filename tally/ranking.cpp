// Ranking. A tally ranks its entries by one key at a time: it sorts them in
// descending order of the key, breaking ties by a second key, and walks the
// sorted list giving each entry its position, or the rank of the entry before
// it when both have the same key (competition ranking: 50, 40, 40, 30 rank
// 1, 2, 2, 4). Only the first key decides equality. Entries that tie in both
// keys keep their order of first appearance, so every table is fully
// determined by the postings and their order. The last ranking done fixes
// the order of the printed table.
#include "tally/ranking.h"

#include <algorithm>
#include <numeric>

namespace tobrel {
namespace {

// -1, 0 or 1 as a's key is less than, equal to or greater than b's.
int CompareKey(const IdTallyRec& a, const IdTallyRec& b, RankKey key) {
  auto three_way = [](auto x, auto y) { return x < y ? -1 : x > y ? 1 : 0; };
  switch (key) {
    case RankKey::PostCount: return three_way(a.PostCount, b.PostCount);
    case RankKey::TotalChars: return three_way(a.TotalChars, b.TotalChars);
    case RankKey::OwnChars: return three_way(a.OwnChars, b.OwnChars);
    case RankKey::QuotedChars: return three_way(a.QuotedChars, b.QuotedChars);
    case RankKey::Average: {
      // TotalChars / PostCount compared by cross multiplication, so that two
      // equal quotients are equal whatever their terms.
      const __int128 left = static_cast<__int128>(a.TotalChars) * std::max(b.PostCount, 1);
      const __int128 right = static_cast<__int128>(b.TotalChars) * std::max(a.PostCount, 1);
      return three_way(left, right);
    }
  }
  return 0;
}

}  // namespace

void RankEntries(std::vector<IdTallyRec>& entries, RankKey primary, RankKey tie_break,
                 std::int32_t IdTallyRec::*rank) {
  // Sort positions rather than the records, then move each record once.
  std::vector<std::uint32_t> order(entries.size());
  std::iota(order.begin(), order.end(), 0u);
  std::sort(order.begin(), order.end(), [&](std::uint32_t left, std::uint32_t right) {
    const IdTallyRec& a = entries[left];
    const IdTallyRec& b = entries[right];
    if (const int by_key = CompareKey(a, b, primary)) return by_key > 0;
    if (const int by_key = CompareKey(a, b, tie_break)) return by_key > 0;
    return a.FirstSeen < b.FirstSeen;
  });
  std::vector<IdTallyRec> sorted;
  sorted.reserve(entries.size());
  for (const std::uint32_t position : order) sorted.push_back(std::move(entries[position]));
  entries.swap(sorted);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const bool ties_previous = i > 0 && CompareKey(entries[i], entries[i - 1], primary) == 0;
    entries[i].*rank = ties_previous ? entries[i - 1].*rank : static_cast<std::int32_t>(i + 1);
  }
}

void ComputeAverages(std::vector<IdTallyRec>& entries) {
  for (IdTallyRec& entry : entries)
    entry.Average = entry.PostCount > 0 ? static_cast<double>(entry.TotalChars) / entry.PostCount : 0;
}

}  // namespace tobrel
