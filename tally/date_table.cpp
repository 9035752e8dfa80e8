#include <utility>

#include "platform/cp932.h"
#include "tally/report_fields.h"
#include "tally/time_table_parts.h"
#include "tally/time_tables.h"

namespace tobrel {
namespace {

void AppendTwoDigits(int value, std::string& row) {
  row += static_cast<char>('0' + value / 10);
  row += static_cast<char>('0' + value % 10);
}

// Appends FormatDateTime("yy/mm/dd(aaa)", day): written here, as it is for
// every row of a long table.
void AppendRowDate(DateTime day, std::string& row) {
  const DateTimeParts parts = DecodeDateTime(day);
  AppendTwoDigits(parts.year % 100, row);
  row += '/';
  AppendTwoDigits(parts.month, row);
  row += '/';
  AppendTwoDigits(parts.day, row);
  row += '(';
  row += WeekdayName(DayOfWeek(day));
  row += ')';
}

}  // namespace

void WriteDateTable(const std::vector<PeriodCount>& days, ReportText& report) {
  const PeriodCount busiest = BusiestPeriod(days);
  const std::int64_t scale = BarScale(busiest.count);

  WriteTitle("【日付別発言集計】", report);
  report.push_back(Rule('=', 79));
  report.push_back(cp932::FromUtf8("年/月/日(曜)|発言数| * = ") + std::to_string(scale) +
                   cp932::FromUtf8("発言 ():発言者数"));
  report.push_back(Rule('-', 12) + "+" + Rule('-', 6) + "+" + Rule('-', 59));
  for (const PeriodCount& entry : days) {
    std::string row;
    row.reserve(48 + static_cast<std::size_t>(entry.count / scale));
    AppendRowDate(entry.first_day, row);
    AppendCountAndBar(entry.count, scale, row);
    row += " (";
    AppendIntField(static_cast<std::int64_t>(entry.distinct_ids), 0, row);
    row += ')';
    report.push_back(std::move(row));
  }
  report.push_back(Rule('-', 79));
  report.push_back(cp932::FromUtf8("期間中最多発言日：") +
                   FormatDateTime("yyyy/mm/dd", busiest.first_day) + cp932::FromUtf8("：") +
                   IntField(busiest.count, 5) + cp932::FromUtf8("発言"));
}

}  // namespace tobrel
