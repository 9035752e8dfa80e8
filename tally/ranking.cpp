// Ranking. A tally ranks its entries by one key at a time: it sorts them in
// descending order of the key, breaking ties by a second key, and walks the
// sorted list giving each entry its position, or the rank of the entry before
// it when both have the same key (competition ranking: 50, 40, 40, 30 rank
// 1, 2, 2, 4). Only the first key decides equality. Entries that tie in both
// keys keep their order of first appearance, so every table is fully
// determined by the postings and their order. The last ranking done fixes
// the order of the printed table.
//
// Since first appearance ends every tie, the order a ranking gives does not
// depend on the order the entries were in. So several rankings in turn
// gather the keys of the entries once into a small array, sort only keys for
// each ranking and keep its ranks aside, and move the records once, setting
// their ranks, into the order of the last ranking. Only that last sort needs
// the tie-breaks; a rank depends on the primary key alone.
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

// The keys of one entry, gathered once into a small record so that each
// ranking reads a compact array rather than the entries.
struct EntryKeys {
  std::int64_t post_count;
  std::int64_t total_chars;
  std::int64_t own_chars;
  std::int64_t quoted_chars;
  std::uint32_t first_seen;
};

Quotient KeyOf(const EntryKeys& entry, RankKey key) {
  switch (key) {
    case RankKey::PostCount: return {entry.post_count, 1};
    case RankKey::TotalChars: return {entry.total_chars, 1};
    case RankKey::OwnChars: return {entry.own_chars, 1};
    case RankKey::QuotedChars: return {entry.quoted_chars, 1};
    case RankKey::Average: return {entry.total_chars, std::max<std::int64_t>(entry.post_count, 1)};
  }
  return {0, 1};
}

// -1, 0 or 1 as a is less than, equal to or greater than b.
int Compare(const Quotient& a, const Quotient& b) {
  if (a.denominator == b.denominator)  // always so for sums and counts
    return a.numerator < b.numerator ? -1 : a.numerator > b.numerator ? 1 : 0;
  const __int128 left = static_cast<__int128>(a.numerator) * b.denominator;
  const __int128 right = static_cast<__int128>(b.numerator) * a.denominator;
  return left < right ? -1 : left > right ? 1 : 0;
}

// What the sort looks at.
struct SortKey {
  Quotient primary;
  Quotient tie_break;
  std::uint32_t first_seen;
  std::uint32_t position;
};

// Fills `keys` with the keys for one ranking, sorted into its order, or,
// without `full_order`, only by the primary key, which is all its ranks
// depend on. The caller keeps `keys` from one ranking to the next, so that
// its memory is taken once.
void SortKeys(const std::vector<EntryKeys>& entries, RankKey primary, RankKey tie_break,
              bool full_order, std::vector<SortKey>& keys) {
  keys.resize(entries.size());
  for (std::uint32_t i = 0; i < keys.size(); ++i) {
    keys[i] = {KeyOf(entries[i], primary), KeyOf(entries[i], tie_break), entries[i].first_seen, i};
  }
  if (!full_order) {
    std::sort(keys.begin(), keys.end(), [](const SortKey& a, const SortKey& b) {
      return Compare(a.primary, b.primary) > 0;
    });
    return;
  }
  std::sort(keys.begin(), keys.end(), [](const SortKey& a, const SortKey& b) {
    if (const int order = Compare(a.primary, b.primary)) return order > 0;
    if (const int order = Compare(a.tie_break, b.tie_break)) return order > 0;
    return a.first_seen < b.first_seen;
  });
}

}  // namespace

void RankEntries(std::vector<IdTallyRec>& entries, RankKey primary, RankKey tie_break,
                 std::int32_t IdTallyRec::*rank) {
  const Ranking ranking{primary, tie_break, rank};
  RankEntriesInTurn(entries, {&ranking, 1});
}

void RankEntriesInTurn(std::vector<IdTallyRec>& entries, std::span<const Ranking> rankings) {
  if (rankings.empty()) return;
  std::vector<EntryKeys> gathered(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const IdTallyRec& entry = entries[i];
    gathered[i] = {entry.PostCount, entry.TotalChars, entry.OwnChars, entry.QuotedChars,
                   static_cast<std::uint32_t>(entry.FirstSeen)};
  }

  // ranks[r][i]: the rank of entry i by ranking r.
  std::vector<std::vector<std::int32_t>> ranks(rankings.size());
  std::vector<SortKey> keys;
  for (std::size_t r = 0; r < rankings.size(); ++r) {
    const bool last = r + 1 == rankings.size();
    SortKeys(gathered, rankings[r].primary, rankings[r].tie_break, last, keys);
    std::vector<std::int32_t>& rank = ranks[r];
    rank.resize(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
      const bool ties_previous = i > 0 && Compare(keys[i].primary, keys[i - 1].primary) == 0;
      rank[keys[i].position] =
          ties_previous ? rank[keys[i - 1].position] : static_cast<std::int32_t>(i + 1);
    }
  }

  // Move each record once into the order of the last ranking, setting its
  // ranks on the way.
  std::vector<IdTallyRec> sorted;
  sorted.reserve(entries.size());
  for (const SortKey& key : keys) {
    IdTallyRec& entry = sorted.emplace_back(std::move(entries[key.position]));
    for (std::size_t r = 0; r < rankings.size(); ++r) entry.*rankings[r].rank = ranks[r][key.position];
  }
  entries.swap(sorted);
}

void ComputeAverages(std::vector<IdTallyRec>& entries) {
  for (IdTallyRec& entry : entries)
    entry.Average = entry.PostCount > 0 ? static_cast<double>(entry.TotalChars) / entry.PostCount : 0;
}

}  // namespace tobrel
