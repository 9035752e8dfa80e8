// The month range of the monthly tally: its two year and month fields, the
// carry rule that keeps a month field in 1 to 12, the checks of a range, and
// the months it holds.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/date_time.h"

namespace tobrel {

struct YearMonth {
  int year = 0;
  int month = 1;
  friend bool operator==(const YearMonth&, const YearMonth&) = default;
};

struct MonthRange {
  YearMonth from;  // "Fro&m"
  YearMonth to;    // "&To"
};

// The fields at start-up on `today`: to the month of today; from the month
// after it a year before, or January of this year in December.
MonthRange DefaultMonthRange(DateTime today);

// Called after a month field was stepped (its month then lies in 0 to 13):
// month 13 becomes January of the next year; month 0 becomes December of
// the year before, or January of year 0 when the year is 0 or less.
void FromMonthChange(MonthRange& range);
void ToMonthChange(MonthRange& range);

// Throws Failure (TallyRefused, "対象年月が不正です。" in CP932) when the
// range is refused: it must end after it starts, within the next year, and
// hold at most twelve months.
void CheckMonthRange(const MonthRange& range);

// The months of an accepted range, in order (2 to 12 of them).
std::vector<YearMonth> MonthsOfRange(const MonthRange& range);

// "%4d/%.2d": the label of a month in the reports.
std::string MonthLabel(YearMonth month);

}  // namespace tobrel
