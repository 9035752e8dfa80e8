#include "tally/month_range.h"

#include "platform/cp932.h"
#include "platform/failure.h"
#include "tally/report_fields.h"

namespace tobrel {
namespace {

void CarryMonth(YearMonth& field) {
  if (field.month == 13) {
    ++field.year;
    field.month = 1;
  } else if (field.month == 0) {
    if (field.year <= 0) {
      field = {0, 1};
    } else {
      --field.year;
      field.month = 12;
    }
  }
}

}  // namespace

MonthRange DefaultMonthRange(DateTime today) {
  const DateTimeParts now = DecodeDateTime(today);
  MonthRange range;
  range.to = {now.year, now.month};
  if (now.month == 12) {
    range.from = {now.year, 1};
  } else {
    range.from = {DecodeDateTime(today - 365).year, now.month + 1};
  }
  return range;
}

void FromMonthChange(MonthRange& range) { CarryMonth(range.from); }
void ToMonthChange(MonthRange& range) { CarryMonth(range.to); }

void CheckMonthRange(const MonthRange& range) {
  const YearMonth& from = range.from;
  const YearMonth& to = range.to;
  const bool ends_after_start =
      to.year > from.year || (to.year == from.year && to.month > from.month);
  const bool accepted = ends_after_start &&
                        (from.year == to.year ||
                         (from.year + 1 >= to.year && (13 - from.month) + to.month <= 12));
  if (!accepted)
    throw Failure(FailureKind::TallyRefused, cp932::FromUtf8("対象年月が不正です。"));
}

std::vector<YearMonth> MonthsOfRange(const MonthRange& range) {
  std::vector<YearMonth> months;
  YearMonth month = range.from;
  while (months.size() < 12 &&
         (month.year < range.to.year ||
          (month.year == range.to.year && month.month <= range.to.month))) {
    months.push_back(month);
    if (++month.month > 12) month = {month.year + 1, 1};
  }
  return months;
}

std::string MonthLabel(YearMonth month) {
  return IntField(month.year, 4) + "/" + ZeroPadded(month.month, 2);
}

}  // namespace tobrel
