#include "platform/date_time.h"

#include <gtest/gtest.h>

#include "platform/clock.h"

namespace tobrel {
namespace {

TEST(DateTime, EncodesDaysSince18991230) {
  EXPECT_EQ(*EncodeDateTime({1899, 12, 30, 0, 0, 0}), 0.0);
  EXPECT_EQ(*EncodeDateTime({1900, 1, 1, 0, 0, 0}), 2.0);
  EXPECT_EQ(*EncodeDateTime({1997, 5, 12, 0, 0, 0}), 35562.0);
  EXPECT_EQ(*EncodeDateTime({2000, 1, 1, 12, 0, 0}), 36526.5);
}

TEST(DateTime, RejectsImpossibleDatesAndTimes) {
  static const DateTimeParts bad[] = {
      {1997, 2, 29, 0, 0, 0}, {2000, 13, 1, 0, 0, 0}, {2000, 4, 31, 0, 0, 0},
      {2000, 1, 0, 0, 0, 0},  {2000, 1, 1, 24, 0, 0}, {2000, 1, 1, 0, 60, 0},
      {0, 1, 1, 0, 0, 0},
  };
  for (const auto& parts : bad)
    EXPECT_FALSE(EncodeDateTime(parts)) << parts.year << "/" << parts.month << "/" << parts.day;
  EXPECT_TRUE(EncodeDateTime({2000, 2, 29, 23, 59, 59}));
}

TEST(DateTime, DecodeRoundTripsEveryMinuteOfADay) {
  for (int minute = 0; minute < 1440; ++minute) {
    const DateTimeParts parts{1998, 12, 31, minute / 60, minute % 60, 0};
    const DateTimeParts back = DecodeDateTime(*EncodeDateTime(parts));
    ASSERT_EQ(back.hour * 60 + back.minute, minute);
    ASSERT_EQ(back.day, 31);
    ASSERT_EQ(back.second, 0);
  }
}

TEST(DateTime, DayNumberIsTheDateDecodeGives) {
  // Last second of a day, a value a hair short of midnight (rounded up into
  // the next day), and dates before the epoch, where the days are negative.
  const double hair = 0.4 / 86400000;
  for (const DateTime value :
       {*EncodeDateTime({1998, 12, 31, 23, 59, 59}), *EncodeDateTime({1999, 1, 1, 0, 0, 0}) - hair,
        *EncodeDateTime({1899, 12, 29, 12, 0, 0}), *EncodeDateTime({1850, 3, 1, 23, 59, 59}),
        0.0}) {
    const DateTimeParts parts = DecodeDateTime(value);
    EXPECT_EQ(static_cast<double>(DayNumber(value)),
              *EncodeDateTime({parts.year, parts.month, parts.day, 0, 0, 0}))
        << value;
    const DayAndHour at = DayAndHourOf(value);
    EXPECT_EQ(at.day, DayNumber(value)) << value;
    EXPECT_EQ(at.hour, parts.hour) << value;
  }
}

TEST(DateTime, TwoDigitYearsFallIntoTheWindow) {
  static const struct {
    int yy, current, expected;
  } cases[] = {
      {97, 2026, 1997}, {5, 2026, 2005}, {38, 2026, 2038}, {39, 2026, 1939},
      {0, 1999, 2000},  {12, 1999, 1912}, {13, 1999, 1913}, {11, 1999, 2011},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExpandTwoDigitYear(c.yy, c.current), c.expected) << c.yy << " in " << c.current;
}

TEST(DateTime, ParsesTheFixedFormats) {
  EXPECT_EQ(ParseDateTime("97/05/12 23:45:00", 2026), EncodeDateTime({1997, 5, 12, 23, 45, 0}));
  EXPECT_EQ(ParseDateTime("2001/1/2", 2026), EncodeDateTime({2001, 1, 2, 0, 0, 0}));
  EXPECT_EQ(ParseDateTime("01/01/02 3:04", 2026), EncodeDateTime({2001, 1, 2, 3, 4, 0}));
  for (const char* bad : {"97/02/30 00:00:00", "97/05/12 24:00:00", "97-05-12", "", "97/05/",
                          "97/05/12 23:45:00 ", "97/05/12  23:45", "97/5/12 2x:00"})
    EXPECT_FALSE(ParseDateTime(bad, 2026)) << bad;
}

TEST(DateTime, FormatsPatternsAndWeekdays) {
  const DateTime value = *EncodeDateTime({1997, 5, 4, 7, 5, 9});  // a Sunday
  EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss", value), "1997/05/04 07:05:09");
  EXPECT_EQ(FormatDateTime("yy/m/d h:n", value), "97/5/4 7:5");
  EXPECT_EQ(FormatDateTime("yy/mm/dd(aaa)", value), "97/05/04(\x93\xfa)");  // (日)
  // The second byte of a two-byte character is never taken for a field.
  EXPECT_EQ(FormatDateTime("\x8c\x8e" "dd", value), "\x8c\x8e" "04");
  EXPECT_EQ(DayOfWeek(0.0), 6);  // 1899-12-30 was a Saturday
  EXPECT_EQ(DayOfWeek(value), 0);
  EXPECT_EQ(DayOfWeek(value + 0.5), 0);  // 19:05 the same day
  // Years of fewer and of more than four digits, and past midnight at 23:59.
  EXPECT_EQ(FormatDateTime("yyyy/m/d yy", *EncodeDateTime({7, 1, 2, 0, 0, 0})), "0007/1/2 07");
  EXPECT_EQ(FormatDateTime("yyyy", *EncodeDateTime({9999, 12, 31, 0, 0, 0}) + 366), "10000");
  EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss", *EncodeDateTime({2000, 2, 29, 23, 59, 59})),
            "2000/02/29 23:59:59");
}

TEST(Clock, FixedClockGivesItsYear) {
  FixedClock clock(*EncodeDateTime({2026, 12, 10, 0, 0, 0}));
  EXPECT_EQ(clock.CurrentYear(), 2026);
  EXPECT_GT(SystemClock().CurrentYear(), 2000);
}

}  // namespace
}  // namespace tobrel
