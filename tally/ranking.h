// Competition ranking of the per-ID entries of a tally (1, 2, 2, 4).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tally/id_tally_rec.h"

namespace tobrel {

// The keys that entries are ranked by. Average compares the exact quotient.
enum class RankKey { PostCount, TotalChars, Average, OwnChars, QuotedChars };

// Sorts `entries` by `primary` descending, ties by `tie_break` descending and
// then by first appearance, and stores each entry's rank by `primary` in
// `entry.*rank`: the position of the first entry of its run of equal primary
// keys.
void RankEntries(std::vector<IdTallyRec>& entries, RankKey primary, RankKey tie_break,
                 std::int32_t IdTallyRec::*rank);

// One ranking of a tally: its key, the key that breaks its ties, and the
// rank it sets.
struct Ranking {
  RankKey primary;
  RankKey tie_break;
  std::int32_t IdTallyRec::*rank;
};

// The same as RankEntries for each of `rankings` in turn, leaving `entries`
// in the order of the last one, but moving the records only once.
void RankEntriesInTurn(std::vector<IdTallyRec>& entries, std::span<const Ranking> rankings);

// Sets each entry's Average to TotalChars / PostCount.
void ComputeAverages(std::vector<IdTallyRec>& entries);

}  // namespace tobrel
