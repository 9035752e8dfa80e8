// The counts behind the time-distribution tables, taken from the facts of
// the counted postings: what both the report text and the exported tables
// show.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/article_rec.h"
#include "tally/time_facts.h"

namespace tobrel {

// One day or one month with postings.
struct PeriodCount {
  DateTime first_day = 0;  // the day, or the first day of the month, at 00:00
  std::int64_t count = 0;
  std::size_t distinct_ids = 0;
};

// The days with postings in ascending order; `facts` must be in time order.
std::vector<PeriodCount> CountDays(const std::vector<TimeFact>& facts);
// The months with postings in ascending order, whatever the facts' order.
std::vector<PeriodCount> CountMonths(const std::vector<TimeFact>& facts);

// The first period with the largest count; the zero date-time with count 0
// when there is none.
PeriodCount BusiestPeriod(const std::vector<PeriodCount>& periods);

using HourCounts = std::array<std::int64_t, 24>;
HourCounts CountHours(const std::vector<TimeFact>& facts);
std::array<std::int64_t, 7> CountWeekdays(const std::vector<TimeFact>& facts);
// Sunday to Saturday, hours 0 to 23.
std::array<HourCounts, 7> CountWeekdayHours(const std::vector<TimeFact>& facts);

// One ID of the table by ID and hour.
struct IdHourCount {
  std::string_view id;
  std::string_view handle;  // of the first counted posting of the ID
  std::int64_t total = 0;
  HourCounts hours{};
};

// The IDs by total descending, equal totals in order of first appearance.
// The views point into `postings`.
std::vector<IdHourCount> CountIdHours(const std::vector<TimeFact>& facts,
                                      const std::vector<ArticleRec>& postings);

}  // namespace tobrel
