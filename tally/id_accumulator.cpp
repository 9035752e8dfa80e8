// Per-ID accumulation. A tally counts each posting under its ID: the entry of
// the ID, if there is one, takes the posting's handle and sums; otherwise a
// new entry is appended. Looking the entry up by walking the list from the
// start would cost a pass over all IDs seen so far for every posting, so the
// entries stay in order of first appearance and a flat hash index maps each
// ID to its position. While the postings are walked only small running sums
// are touched, with the handle held as a view; the report entries are built
// from them once at the end. The result is the same list, in the same order,
// as the walk from the start gives. When the IDs are many, their tables no
// longer fit the processor's caches and each posting would wait for memory
// twice (index slot, then sums); a walk in order can ask for both some
// postings ahead, so that they have arrived when the posting is counted.
#include "tally/id_accumulator.h"

namespace tobrel {

IdSums& IdAccumulator::Count(std::string_view id, std::string_view handle) {
  const IdIndex::Found found =
      index_.FindOrInsert(id, static_cast<std::uint32_t>(sums_.size()));
  if (found.inserted) {
    sums_.emplace_back();
    ids_.emplace_back(id);
  }
  IdSums& sums = sums_[found.position];
  sums.handle = handle;
  ++sums.PostCount;
  return sums;
}

void IdAccumulator::PrefetchAhead(const std::vector<ArticleRec>& postings, std::size_t i) const {
  // The index slot is asked for further ahead; by the time the sums are
  // asked for, it has arrived and gives their position.
  constexpr std::size_t kSlotAhead = 16;
  constexpr std::size_t kSumsAhead = 8;
  if (!index_.Large()) return;
  if (i + kSlotAhead < postings.size()) index_.Prefetch(postings[i + kSlotAhead].Id.view());
  if (i + kSumsAhead < postings.size()) {
    const std::int64_t position = index_.Find(postings[i + kSumsAhead].Id.view());
    if (position >= 0) __builtin_prefetch(&sums_[static_cast<std::size_t>(position)]);
  }
}

std::vector<IdTallyRec> IdAccumulator::TakeEntries() {
  std::vector<IdTallyRec> entries(sums_.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    IdTallyRec& entry = entries[i];
    entry.Id = std::move(ids_[i]);
    entry.Handle = sums_[i].handle;
    entry.PostCount = sums_[i].PostCount;
    entry.TotalChars = sums_[i].TotalChars;
    entry.OwnChars = sums_[i].OwnChars;
    entry.QuotedChars = sums_[i].QuotedChars;
    entry.FirstSeen = i;
  }
  *this = IdAccumulator();
  return entries;
}

}  // namespace tobrel
