// Date-times as the program keeps them: days since 1899-12-30 as a double,
// the time of day as the fraction. Also the fixed conventions for reading
// and writing them: "yyyy/mm/dd", "hh:nn:ss", two-digit years in a window.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tobrel {

using DateTime = double;

// Two-digit years fall into the hundred years that begin this many years
// before the current year.
inline constexpr int kTwoDigitYearWindow = 87;

struct DateTimeParts {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0;
};

// Gives nothing for a date or time that does not exist (month 13, 30
// February, 24:00, years outside 1..9999).
std::optional<DateTime> EncodeDateTime(const DateTimeParts& parts);
// The date-time `hour`:`minute`:`second` (which must exist) of the day that
// starts at `midnight` (as EncodeDateTime gives it for 00:00:00): the value
// EncodeDateTime gives for that day and time.
DateTime AtTimeOfDay(DateTime midnight, int hour, int minute, int second);
DateTimeParts DecodeDateTime(DateTime value);
// The date of `value` as whole days since 1899-12-30, the date that
// DecodeDateTime gives (rounded to the millisecond first).
long long DayNumber(DateTime value);

// The date of `value` as DayNumber gives it, and its hour (0..23) as
// DecodeDateTime gives it.
struct DayAndHour {
  long long day;
  int hour;
};
DayAndHour DayAndHourOf(DateTime value);

// 0 = Sunday .. 6 = Saturday.
int DayOfWeek(DateTime value);

// The four-digit year of a two-digit year `yy` (0..99) seen in `current_year`.
int ExpandTwoDigitYear(int yy, int current_year);

// Reads "y/m/d" or "y/m/d h:n[:s]" (digits only, "/" and ":" separators,
// one blank between date and time). A year of one or two digits is expanded
// with the window; gives nothing for anything else or an impossible date.
std::optional<DateTime> ParseDateTime(std::string_view text, int current_year);

// Writes `value` after `pattern`: yyyy yy mm m dd d hh h nn n ss s stand for
// the fields (doubled letters zero-padded), aaa for the Japanese short
// weekday name in CP932; every other byte stands as it is.
std::string FormatDateTime(std::string_view pattern, DateTime value);

// The Japanese short weekday name (CP932, two bytes) of 0 = Sunday .. 6.
std::string_view WeekdayName(int weekday);

}  // namespace tobrel
