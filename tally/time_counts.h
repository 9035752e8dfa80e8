// The counts behind the time-distribution tables, taken in one walk over the
// postings that the target test counts: what both the report text and the
// exported tables show.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/article_rec.h"
#include "tally/target_test.h"

namespace tobrel {

// One day or one month with postings.
struct PeriodCount {
  DateTime first_day = 0;  // the day, or the first day of the month, at 00:00
  std::int64_t count = 0;
  std::size_t distinct_ids = 0;
};

using HourCounts = std::array<std::int64_t, 24>;

// One ID of the table by ID and hour.
struct IdHourCount {
  std::string_view id;
  std::string_view handle;  // of the first counted posting of the ID
  std::int64_t total = 0;
  HourCounts hours{};
};

struct TimeCounts {
  // The days with postings in ascending order; empty unless the postings
  // were counted in time order.
  std::vector<PeriodCount> days;
  // The months with postings in ascending order.
  std::vector<PeriodCount> months;
  // Sunday to Saturday, hours 0 to 23.
  std::array<HourCounts, 7> weekday_hours{};
  // The IDs by total descending, equal totals in order of first appearance.
  // The views point into the postings.
  std::vector<IdHourCount> id_hours;
};

// Counts the postings that `target` counts, in their order. With
// `in_time_order` the postings must be sorted by time (OrderByTime), and the
// days are counted too. IDs are told apart by their exact text.
TimeCounts CountTimes(const std::vector<ArticleRec>& postings, const TargetTest& target,
                      bool in_time_order);

// The first period with the largest count; the zero date-time with count 0
// when there is none.
PeriodCount BusiestPeriod(const std::vector<PeriodCount>& periods);

// The hours and the weekdays of a count by weekday and hour.
HourCounts HourTotals(const std::array<HourCounts, 7>& weekday_hours);
std::array<std::int64_t, 7> WeekdayTotals(const std::array<HourCounts, 7>& weekday_hours);

}  // namespace tobrel
