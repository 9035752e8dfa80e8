// The per-ID accumulation of a tally: one entry per distinct ID, kept in
// order of first appearance, found through an index from ID to entry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/article_rec.h"
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

  // A hint for a walk over `postings` that counts them in order: called
  // before posting `i` is counted, it starts loading what counting the
  // postings a few places ahead will touch, found by their own IDs (a mapped
  // ID is rare, and a wrong hint costs only time). Does nothing while the
  // tables are small enough to stay in the processor's caches.
  void PrefetchAhead(const std::vector<ArticleRec>& postings, std::size_t i) const;

  // The entries in order of first appearance, with their sums, handles and
  // FirstSeen set; empties the accumulator.
  std::vector<IdTallyRec> TakeEntries();

 private:
  std::vector<IdSums> sums_;
  std::vector<std::string> ids_;
  IdIndex index_;
};

}  // namespace tobrel
