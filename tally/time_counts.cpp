// Each counted posting's ID is looked up once in a flat hash index, which
// numbers the IDs in order of first appearance; the ID's entry holds its
// hour counts and the last day and month it was counted in, so that a
// period's distinct IDs are counted as the walk goes, with no list of IDs.
// That needs the postings of a period to follow each other, as they do in
// time order; out of time order, each month gathers its ID numbers and
// counts the distinct ones at the end. The month and weekday of a day are
// worked out once for the postings of that day in a row.
#include "tally/time_counts.h"

#include <algorithm>
#include <map>

#include "tally/id_index.h"

namespace tobrel {
namespace {

// The first day of a month key (year * 12 + month - 1) at 00:00.
DateTime FirstDayOf(int month_key) {
  return *EncodeDateTime({month_key / 12, month_key % 12 + 1, 1, 0, 0, 0});
}

struct IdEntry {
  std::string_view id;
  std::string_view handle;
  std::uint32_t total = 0;
  std::uint32_t last_day = 0;    // the number of days counted when it was last seen
  std::uint32_t last_month = 0;  // the same for months
  std::array<std::uint32_t, 24> hours{};
};

// The months of postings out of time order.
class MonthsOutOfOrder {
 public:
  void Count(int month_key, std::uint32_t id_number) {
    if (!last_ || month_key != last_key_) {
      last_ = &months_[month_key];
      last_key_ = month_key;
    }
    last_->push_back(id_number);
  }

  std::vector<PeriodCount> Counts() {
    std::vector<PeriodCount> counts;
    for (auto& [key, ids] : months_) {
      const auto count = static_cast<std::int64_t>(ids.size());
      std::sort(ids.begin(), ids.end());
      const auto distinct = static_cast<std::size_t>(std::unique(ids.begin(), ids.end()) - ids.begin());
      counts.push_back({FirstDayOf(key), count, distinct});
    }
    return counts;
  }

 private:
  std::map<int, std::vector<std::uint32_t>> months_;
  std::vector<std::uint32_t>* last_ = nullptr;
  int last_key_ = 0;
};

}  // namespace

TimeCounts CountTimes(const std::vector<ArticleRec>& postings, const TargetTest& target,
                      bool in_time_order) {
  TimeCounts counts;
  IdIndex index;
  std::vector<IdEntry> ids;
  MonthsOutOfOrder months_out_of_order;
  bool have_day = false;
  long long day = 0;
  int month = 0;
  int weekday = 0;
  for (const ArticleRec& posting : postings) {
    if (!target.Counts(posting)) continue;
    const DayAndHour at = DayAndHourOf(posting.PostedAt);
    const bool new_day = !have_day || at.day != day;
    if (new_day) {
      const auto midnight = static_cast<DateTime>(at.day);
      const DateTimeParts parts = DecodeDateTime(midnight);
      const int previous_month = month;
      month = parts.year * 12 + parts.month - 1;
      weekday = DayOfWeek(midnight);
      if (in_time_order) {
        counts.days.push_back({midnight, 0, 0});
        if (!have_day || month != previous_month) counts.months.push_back({FirstDayOf(month), 0, 0});
      }
      day = at.day;
      have_day = true;
    }
    const IdIndex::Found found =
        index.FindOrInsert(posting.Id.view(), static_cast<std::uint32_t>(ids.size()));
    if (found.inserted) ids.push_back({posting.Id.view(), posting.Handle.view()});
    IdEntry& entry = ids[found.position];
    ++entry.total;
    ++entry.hours[at.hour];
    ++counts.weekday_hours[weekday][at.hour];
    if (in_time_order) {
      ++counts.days.back().count;
      if (entry.last_day != counts.days.size()) {
        entry.last_day = static_cast<std::uint32_t>(counts.days.size());
        ++counts.days.back().distinct_ids;
      }
      ++counts.months.back().count;
      if (entry.last_month != counts.months.size()) {
        entry.last_month = static_cast<std::uint32_t>(counts.months.size());
        ++counts.months.back().distinct_ids;
      }
    } else {
      months_out_of_order.Count(month, found.position);
    }
  }
  if (!in_time_order) counts.months = months_out_of_order.Counts();

  // The IDs are sorted as numbers: the total, complemented to put the most
  // first, above the ID's number, which keeps equal totals in order of first
  // appearance.
  std::vector<std::uint64_t> order(ids.size());
  for (std::uint32_t i = 0; i < ids.size(); ++i)
    order[i] = static_cast<std::uint64_t>(~ids[i].total) << 32 | i;
  std::sort(order.begin(), order.end());
  counts.id_hours.reserve(ids.size());
  for (const std::uint64_t key : order) {
    const IdEntry& entry = ids[static_cast<std::uint32_t>(key)];
    IdHourCount& count = counts.id_hours.emplace_back();
    count.id = entry.id;
    count.handle = entry.handle;
    count.total = entry.total;
    std::copy(entry.hours.begin(), entry.hours.end(), count.hours.begin());
  }
  return counts;
}

PeriodCount BusiestPeriod(const std::vector<PeriodCount>& periods) {
  PeriodCount busiest;
  for (const PeriodCount& period : periods)
    if (period.count > busiest.count) busiest = period;
  return busiest;
}

HourCounts HourTotals(const std::array<HourCounts, 7>& weekday_hours) {
  HourCounts totals{};
  for (const HourCounts& hours : weekday_hours)
    for (int hour = 0; hour < 24; ++hour) totals[hour] += hours[hour];
  return totals;
}

std::array<std::int64_t, 7> WeekdayTotals(const std::array<HourCounts, 7>& weekday_hours) {
  std::array<std::int64_t, 7> totals{};
  for (int weekday = 0; weekday < 7; ++weekday)
    for (const std::int64_t count : weekday_hours[weekday]) totals[weekday] += count;
  return totals;
}

}  // namespace tobrel
