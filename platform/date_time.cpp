#include "platform/date_time.h"

#include <cmath>
#include <cstdio>

#include "platform/cp932.h"

namespace tobrel {
namespace {

constexpr long kDaysFrom1970To18991230 = -25569;
constexpr long long kMsPerDay = 86400000;

// Days since 1970-01-01 of a proleptic Gregorian date (Hinnant's algorithm).
long DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153L * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(long z, int& y, int& m, int& d) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Reads up to `max_digits` digits at `pos`; gives -1 when there is none.
int ReadNumber(std::string_view text, std::size_t& pos, int max_digits, int& digits) {
  int value = 0;
  digits = 0;
  while (pos < text.size() && digits < max_digits && text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10 + (text[pos] - '0');
    ++pos;
    ++digits;
  }
  return digits == 0 ? -1 : value;
}

}  // namespace

std::optional<DateTime> EncodeDateTime(const DateTimeParts& p) {
  if (p.year < 1 || p.year > 9999 || p.month < 1 || p.month > 12 || p.day < 1 ||
      p.day > DaysInMonth(p.year, p.month))
    return std::nullopt;
  if (p.hour < 0 || p.hour > 23 || p.minute < 0 || p.minute > 59 || p.second < 0 ||
      p.second > 59)
    return std::nullopt;
  const double days =
      static_cast<double>(DaysFromCivil(p.year, p.month, p.day) - kDaysFrom1970To18991230);
  return AtTimeOfDay(days, p.hour, p.minute, p.second);
}

DateTime AtTimeOfDay(DateTime midnight, int hour, int minute, int second) {
  const long long ms = hour * 3600000LL + minute * 60000LL + second * 1000LL;
  return midnight + static_cast<double>(ms) / kMsPerDay;
}

namespace {

// Splits `value`, rounded to the millisecond first so that 23:59:59.9999
// does not spill over, into whole days and the milliseconds of the day.
void SplitDateTime(DateTime value, long long& days, long long& ms_of_day) {
  const long long ms = std::llround(value * kMsPerDay);
  days = ms / kMsPerDay;
  ms_of_day = ms % kMsPerDay;
  if (ms_of_day < 0) {
    ms_of_day += kMsPerDay;
    --days;
  }
}

}  // namespace

long long DayNumber(DateTime value) {
  long long days = 0, ms_of_day = 0;
  SplitDateTime(value, days, ms_of_day);
  return days;
}

DayAndHour DayAndHourOf(DateTime value) {
  long long days = 0, ms_of_day = 0;
  SplitDateTime(value, days, ms_of_day);
  return {days, static_cast<int>(ms_of_day / 1000 / 3600)};
}

DateTimeParts DecodeDateTime(DateTime value) {
  DateTimeParts parts;
  long long days = 0, ms_of_day = 0;
  SplitDateTime(value, days, ms_of_day);
  CivilFromDays(static_cast<long>(days + kDaysFrom1970To18991230), parts.year, parts.month,
                parts.day);
  const long long seconds = ms_of_day / 1000;
  parts.hour = static_cast<int>(seconds / 3600);
  parts.minute = static_cast<int>(seconds / 60 % 60);
  parts.second = static_cast<int>(seconds % 60);
  return parts;
}

int DayOfWeek(DateTime value) {
  const long long days = static_cast<long long>(std::floor(value + 0.5 / kMsPerDay));
  // 1899-12-30 was a Saturday.
  return static_cast<int>(((days + 6) % 7 + 7) % 7);
}

int ExpandTwoDigitYear(int yy, int current_year) {
  const int first_year = current_year - kTwoDigitYearWindow;
  int year = first_year / 100 * 100 + yy;
  if (year < first_year) year += 100;
  return year;
}

std::optional<DateTime> ParseDateTime(std::string_view text, int current_year) {
  std::size_t pos = 0;
  int digits = 0;
  DateTimeParts parts;
  parts.year = ReadNumber(text, pos, 4, digits);
  if (parts.year < 0 || pos >= text.size() || text[pos++] != '/') return std::nullopt;
  if (digits <= 2) parts.year = ExpandTwoDigitYear(parts.year, current_year);
  parts.month = ReadNumber(text, pos, 2, digits);
  if (parts.month < 0 || pos >= text.size() || text[pos++] != '/') return std::nullopt;
  parts.day = ReadNumber(text, pos, 2, digits);
  if (parts.day < 0) return std::nullopt;
  parts.hour = parts.minute = parts.second = 0;
  if (pos < text.size()) {
    if (text[pos++] != ' ') return std::nullopt;
    parts.hour = ReadNumber(text, pos, 2, digits);
    if (parts.hour < 0 || pos >= text.size() || text[pos++] != ':') return std::nullopt;
    parts.minute = ReadNumber(text, pos, 2, digits);
    if (parts.minute < 0) return std::nullopt;
    if (pos < text.size()) {
      if (text[pos++] != ':') return std::nullopt;
      parts.second = ReadNumber(text, pos, 2, digits);
      if (parts.second < 0) return std::nullopt;
    }
    if (pos != text.size()) return std::nullopt;
  }
  return EncodeDateTime(parts);
}

std::string_view WeekdayName(int weekday) {
  // 日 月 火 水 木 金 土 in CP932.
  static constexpr std::string_view kNames[] = {"\x93\xfa", "\x8c\x8e", "\x89\xce", "\x90\x85",
                                                "\x96\xd8", "\x8b\xe0", "\x93\x79"};
  return kNames[((weekday % 7) + 7) % 7];
}

namespace {

// Appends `number` in decimal with at least `width` digits, zeros before
// them, as printf's "%0*d" writes it (the common four-digit numbers without
// printf, which takes far longer).
void AppendNumber(std::string& out, int number, int width) {
  if (number < 0 || number > 9999) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, number);
    out += buffer;
    return;
  }
  char digits[4];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number > 0);
  for (int pad = count; pad < width; ++pad) out += '0';
  while (count > 0) out += digits[--count];
}

}  // namespace

std::string FormatDateTime(std::string_view pattern, DateTime value) {
  const DateTimeParts p = DecodeDateTime(value);
  std::string out;
  auto put = [&](int number, bool padded) { AppendNumber(out, number, padded ? 2 : 1); };
  std::size_t i = 0;
  auto starts = [&](std::string_view token) { return pattern.substr(i, token.size()) == token; };
  while (i < pattern.size()) {
    if (starts("yyyy")) {
      AppendNumber(out, p.year, 4);
      i += 4;
    } else if (starts("yy")) {
      put(p.year % 100, true);
      i += 2;
    } else if (starts("aaa")) {
      out += WeekdayName(DayOfWeek(value));
      i += 3;
    } else if (cp932::IsLeadByte(static_cast<unsigned char>(pattern[i]))) {
      // A two-byte character's second byte may look like a field letter.
      const std::size_t next = cp932::NextCharPos(pattern, i);
      out.append(pattern.substr(i, next - i));
      i = next;
    } else {
      const char c = pattern[i];
      const int field = c == 'm' ? p.month : c == 'd' ? p.day : c == 'h' ? p.hour
                      : c == 'n' ? p.minute : c == 's' ? p.second : -1;
      if (field < 0) {
        out += c;
        ++i;
        continue;
      }
      const bool doubled = i + 1 < pattern.size() && pattern[i + 1] == c;
      put(field, doubled);
      i += doubled ? 2 : 1;
    }
  }
  return out;
}

}  // namespace tobrel
