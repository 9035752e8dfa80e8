// The per-ID accumulation of a tally: one entry per distinct ID, kept in
// order of first appearance, found through an index from ID to entry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tally/id_index.h"
#include "tally/id_tally_rec.h"

namespace tobrel {

// The running sums of one ID while the postings are walked.
struct IdSums {
  std::string_view handle;  // of the last posting counted
  std::int32_t PostCount = 0;
  std::int64_t TotalChars = 0;
  std::int64_t OwnChars = 0;
  std::int64_t QuotedChars = 0;
};

class IdAccumulator {
 public:
  // Counts one posting of `id`: a known ID takes `handle` and one more
  // posting; a new ID gets an entry with `handle` and a count of 1. Gives the
  // sums, so that the caller adds the posting's characters. `handle` must
  // stay valid until TakeEntries (it is the view of a stored posting's field).
  IdSums& Count(std::string_view id, std::string_view handle);

  // The entries in order of first appearance, with their sums, handles and
  // FirstSeen set; empties the accumulator.
  std::vector<IdTallyRec> TakeEntries();

 private:
  std::vector<IdSums> sums_;
  std::vector<std::string> ids_;
  IdIndex index_;
};

}  // namespace tobrel
