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

namespace tobrel {
namespace {

// A key as a quotient: numerator / denominator, the denominator 1 for sums
// and counts and the posting count for the average, so that two equal
// averages compare equal whatever their terms.
struct Quotient {
  std::int64_t numerator;
  std::int64_t denominator;
};

Quotient KeyOf(const IdTallyRec& entry, RankKey key) {
  switch (key) {
    case RankKey::PostCount: return {entry.PostCount, 1};
    case RankKey::TotalChars: return {entry.TotalChars, 1};
    case RankKey::OwnChars: return {entry.OwnChars, 1};
    case RankKey::QuotedChars: return {entry.QuotedChars, 1};
    case RankKey::Average: return {entry.TotalChars, std::max(entry.PostCount, 1)};
  }
  return {0, 1};
}

// -1, 0 or 1 as a is less than, equal to or greater than b.
int Compare(const Quotient& a, const Quotient& b) {
  const __int128 left = static_cast<__int128>(a.numerator) * b.denominator;
  const __int128 right = static_cast<__int128>(b.numerator) * a.denominator;
  return left < right ? -1 : left > right ? 1 : 0;
}

// What the sort looks at, copied out of the entries so that it runs over a
// small contiguous array.
struct SortKey {
  Quotient primary;
  Quotient tie_break;
  std::uint32_t first_seen;
  std::uint32_t position;
};

}  // namespace

void RankEntries(std::vector<IdTallyRec>& entries, RankKey primary, RankKey tie_break,
                 std::int32_t IdTallyRec::*rank) {
  std::vector<SortKey> keys(entries.size());
  for (std::uint32_t i = 0; i < keys.size(); ++i) {
    keys[i] = {KeyOf(entries[i], primary), KeyOf(entries[i], tie_break),
               static_cast<std::uint32_t>(entries[i].FirstSeen), i};
  }
  std::sort(keys.begin(), keys.end(), [](const SortKey& a, const SortKey& b) {
    if (const int order = Compare(a.primary, b.primary)) return order > 0;
    if (const int order = Compare(a.tie_break, b.tie_break)) return order > 0;
    return a.first_seen < b.first_seen;
  });

  // Move each record once into sorted order, ranking as it goes.
  std::vector<IdTallyRec> sorted;
  sorted.reserve(entries.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    IdTallyRec& entry = sorted.emplace_back(std::move(entries[keys[i].position]));
    const bool ties_previous = i > 0 && Compare(keys[i].primary, keys[i - 1].primary) == 0;
    entry.*rank = ties_previous ? sorted[i - 1].*rank : static_cast<std::int32_t>(i + 1);
  }
  entries.swap(sorted);
}

void ComputeAverages(std::vector<IdTallyRec>& entries) {
  for (IdTallyRec& entry : entries)
    entry.Average = entry.PostCount > 0 ? static_cast<double>(entry.TotalChars) / entry.PostCount : 0;
}

}  // namespace tobrel
