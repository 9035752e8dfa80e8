// Monthly entries. The store is walked once: each (mapped) ID gets its entry
// the first time it is seen, found again through an index from ID to entry,
// and each posting of a month of the range is added into that month's slot,
// whose handle and the entry's follow the last posting counted. A month is
// ranked by sorting the entries with postings in it by one key and then by
// the other (competition ranks, ties by the other key and then by first
// appearance); entries without postings in the month would all tie below
// them in both keys, so leaving them out changes no rank that is shown.
#include "tally/monthly_entries.h"

#include "tally/id_index.h"
#include "tally/ranking.h"

namespace tobrel {
namespace {

// The slot of `posting`'s month in `months`, or kMaxMonths when it is
// outside the range.
std::size_t SlotOf(const ArticleRec& posting, const std::vector<YearMonth>& months) {
  const DateTimeParts parts = DecodeDateTime(posting.PostedAt);
  const long long offset = (static_cast<long long>(parts.year) * 12 + parts.month) -
                           (static_cast<long long>(months.front().year) * 12 + months.front().month);
  return offset >= 0 && offset < static_cast<long long>(months.size())
             ? static_cast<std::size_t>(offset)
             : kMaxMonths;
}

}  // namespace

std::vector<MonthlyEntry> CollectMonthlyEntries(const std::vector<ArticleRec>& postings,
                                                const std::vector<YearMonth>& months,
                                                const MapSameIdFn& map_same_id) {
  std::vector<MonthlyEntry> entries;
  IdIndex index;
  for (const ArticleRec& posting : postings) {
    if (IsSysopDeleted(posting) || IsPosterDeleted(posting)) continue;
    const std::string id = map_same_id ? map_same_id(posting.Id.view()) : posting.Id.str();
    const IdIndex::Found found =
        index.FindOrInsert(id, static_cast<std::uint32_t>(entries.size()));
    if (found.inserted) {
      MonthlyEntry& entry = entries.emplace_back();
      entry.Id = id;
      entry.Handle = posting.Handle.view();
      for (MonthSlot& slot : entry.Months) slot.Handle = entry.Handle;
    }
    const std::size_t slot_index = SlotOf(posting, months);
    if (slot_index == kMaxMonths) continue;
    MonthlyEntry& entry = entries[found.position];
    MonthSlot& slot = entry.Months[slot_index];
    ++slot.PostCount;
    slot.TotalChars += posting.TotalChars;
    slot.QuotedChars += posting.QuotedChars;
    entry.Handle = slot.Handle = posting.Handle.view();
  }
  return entries;
}

std::vector<std::uint32_t> RankMonth(std::vector<MonthlyEntry>& entries, std::size_t month,
                                     MonthKey first) {
  // Only the entries with postings in the month are ranked: the others tie
  // below all of them in both keys, so they change no rank of theirs, and
  // their own ranks are never shown.
  std::vector<IdTallyRec> ranked;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const MonthSlot& slot = entries[i].Months[month];
    if (slot.PostCount == 0) continue;
    IdTallyRec& entry = ranked.emplace_back();
    entry.PostCount = slot.PostCount;
    entry.TotalChars = slot.TotalChars;
    entry.FirstSeen = i;
  }
  auto by_count = [&] {
    RankEntries(ranked, RankKey::PostCount, RankKey::TotalChars, &IdTallyRec::RankByCount);
  };
  auto by_chars = [&] {
    RankEntries(ranked, RankKey::TotalChars, RankKey::PostCount, &IdTallyRec::RankByChars);
  };
  if (first == MonthKey::PostCount) {
    by_count();
    by_chars();
  } else {
    by_chars();
    by_count();
  }
  std::vector<std::uint32_t> order(ranked.size());
  for (std::size_t i = 0; i < ranked.size(); ++i) {
    MonthSlot& slot = entries[ranked[i].FirstSeen].Months[month];
    slot.RankByChars = ranked[i].RankByChars;
    slot.RankByCount = ranked[i].RankByCount;
    order[i] = static_cast<std::uint32_t>(ranked[i].FirstSeen);
  }
  return order;
}

}  // namespace tobrel
