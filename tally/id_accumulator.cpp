// Per-ID accumulation. A tally counts each posting under its ID: the entry of
// the ID, if there is one, takes the posting's handle and sums; otherwise a
// new entry is appended. Looking the entry up by walking the list from the
// start would cost a pass over all IDs seen so far for every posting, so the
// entries stay in a vector in order of first appearance and a hash index maps
// each ID to its position there. The result is the same list, in the same
// order, as the walk gives.
#include "tally/id_accumulator.h"

namespace tobrel {

IdTallyRec& IdAccumulator::Count(std::string_view id, std::string_view handle) {
  const auto [slot, inserted] = slot_of_id_.try_emplace(std::string(id), entries_.size());
  if (inserted) {
    IdTallyRec& entry = entries_.emplace_back();
    entry.Id = id;
    entry.FirstSeen = slot->second;
  }
  IdTallyRec& entry = entries_[slot->second];
  entry.Handle = handle;
  ++entry.PostCount;
  return entry;
}

std::vector<IdTallyRec> IdAccumulator::TakeEntries() {
  slot_of_id_.clear();
  std::vector<IdTallyRec> taken;
  taken.swap(entries_);
  return taken;
}

}  // namespace tobrel
