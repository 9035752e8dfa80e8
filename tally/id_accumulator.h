// The per-ID accumulation of a tally: one IdTallyRec per distinct ID, kept
// in order of first appearance, found through an index from ID to entry.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tally/id_tally_rec.h"

namespace tobrel {

class IdAccumulator {
 public:
  // Counts one posting of `id`: a known ID takes `handle` and one more
  // posting; a new ID gets an entry with `handle` and a count of 1. Gives the
  // entry, so that the caller adds the posting's characters.
  IdTallyRec& Count(std::string_view id, std::string_view handle);

  // The entries in order of first appearance; empties the accumulator.
  std::vector<IdTallyRec> TakeEntries();

 private:
  std::vector<IdTallyRec> entries_;
  std::unordered_map<std::string, std::size_t> slot_of_id_;
};

}  // namespace tobrel
