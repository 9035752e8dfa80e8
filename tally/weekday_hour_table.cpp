#include <algorithm>
#include <numeric>

#include "platform/cp932.h"
#include "tally/report_fields.h"
#include "tally/time_table_parts.h"
#include "tally/time_tables.h"

namespace tobrel {

void WriteWeekdayHourTable(const std::array<HourCounts, 7>& counts, ReportText& report) {
  std::int64_t largest_cell = 0;
  for (const auto& hours : counts)
    largest_cell = std::max(largest_cell, *std::max_element(hours.begin(), hours.end()));
  const int width = CellWidth(largest_cell);

  WriteTitle("【曜日別時間帯発言数集計】", report);
  report.push_back(Rule('=', width * 24 + 34));
  report.push_back(cp932::FromUtf8("曜日|") + HourHeadings(width) + cp932::FromUtf8("合計"));
  report.push_back(Rule('-', 4) + "+" + HourRule(width) + "-----");
  for (int weekday = 0; weekday < 7; ++weekday) {
    std::string row(1, ' ');
    row += AlignRight(WeekdayName(weekday), 2) + " |";
    for (const std::int64_t count : counts[weekday]) AppendHourCell(count, width, row);
    const std::int64_t total =
        std::accumulate(counts[weekday].begin(), counts[weekday].end(), std::int64_t{0});
    report.push_back(row + IntField(total, 5));
  }
}

}  // namespace tobrel
