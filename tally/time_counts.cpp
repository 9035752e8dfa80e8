// The date counts rely on the time order of the facts: the facts of one day
// follow each other, so each is compared with the last day only. The months
// are kept in a map ordered by month. The IDs of a period are gathered and
// their distinct number counted when the period is complete. The ID-by-hour
// entries are found through a flat hash index and listed by a stable sort.
#include "tally/time_counts.h"

#include <algorithm>
#include <map>
#include <numeric>

#include "tally/id_index.h"

namespace tobrel {
namespace {

// The first day of a month key (year * 12 + month - 1) at 00:00.
DateTime FirstDayOf(int month_key) {
  return *EncodeDateTime({month_key / 12, month_key % 12 + 1, 1, 0, 0, 0});
}

}  // namespace

std::vector<PeriodCount> CountDays(const std::vector<TimeFact>& facts) {
  std::vector<PeriodCount> days;
  std::vector<PackedId> ids_of_day;
  std::int32_t last_day = 0;
  for (const TimeFact& fact : facts) {
    if (days.empty() || last_day != fact.day) {
      if (!days.empty()) days.back().distinct_ids = CountDistinctIds(ids_of_day);
      ids_of_day.clear();
      days.push_back({static_cast<DateTime>(fact.day), 0, 0});
      last_day = fact.day;
    }
    ++days.back().count;
    ids_of_day.push_back(fact.id);
  }
  if (!days.empty()) days.back().distinct_ids = CountDistinctIds(ids_of_day);
  return days;
}

std::vector<PeriodCount> CountMonths(const std::vector<TimeFact>& facts) {
  struct MonthEntry {
    std::int64_t count = 0;
    std::vector<PackedId> ids;
  };
  std::map<int, MonthEntry> months;
  MonthEntry* last = nullptr;  // postings of one month mostly follow each other
  int last_key = -1;
  for (const TimeFact& fact : facts) {
    if (!last || fact.month != last_key) {
      last = &months[fact.month];
      last_key = fact.month;
    }
    ++last->count;
    last->ids.push_back(fact.id);
  }
  std::vector<PeriodCount> counts;
  for (auto& [key, entry] : months)
    counts.push_back({FirstDayOf(key), entry.count, CountDistinctIds(entry.ids)});
  return counts;
}

PeriodCount BusiestPeriod(const std::vector<PeriodCount>& periods) {
  PeriodCount busiest;
  for (const PeriodCount& period : periods)
    if (period.count > busiest.count) busiest = period;
  return busiest;
}

HourCounts CountHours(const std::vector<TimeFact>& facts) {
  HourCounts counts{};
  for (const TimeFact& fact : facts) ++counts[fact.hour];
  return counts;
}

std::array<std::int64_t, 7> CountWeekdays(const std::vector<TimeFact>& facts) {
  std::array<std::int64_t, 7> counts{};
  for (const TimeFact& fact : facts) ++counts[fact.weekday];
  return counts;
}

std::array<HourCounts, 7> CountWeekdayHours(const std::vector<TimeFact>& facts) {
  std::array<HourCounts, 7> counts{};
  for (const TimeFact& fact : facts) ++counts[fact.weekday][fact.hour];
  return counts;
}

std::vector<IdHourCount> CountIdHours(const std::vector<TimeFact>& facts,
                                      const std::vector<ArticleRec>& postings) {
  std::vector<IdHourCount> entries;
  IdIndex index;
  for (const TimeFact& fact : facts) {
    const ArticleRec& posting = postings[fact.posting];
    const IdIndex::Found found =
        index.FindOrInsert(posting.Id.view(), static_cast<std::uint32_t>(entries.size()));
    if (found.inserted) entries.push_back({posting.Id.view(), posting.Handle.view()});
    IdHourCount& entry = entries[found.position];
    ++entry.total;
    ++entry.hours[fact.hour];
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const IdHourCount& a, const IdHourCount& b) { return a.total > b.total; });
  return entries;
}

}  // namespace tobrel
