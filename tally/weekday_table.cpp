#include <algorithm>

#include "platform/cp932.h"
#include "tally/report_fields.h"
#include "tally/time_table_parts.h"
#include "tally/time_tables.h"

namespace tobrel {

void WriteWeekdayTable(const std::array<std::int64_t, 7>& counts, ReportText& report) {
  const std::int64_t scale = BarScale(*std::max_element(counts.begin(), counts.end()));

  WriteTitle("【曜日別発言集計】", report);
  report.push_back(Rule('=', 79));
  report.push_back(cp932::FromUtf8("時|発言数| * = ") + std::to_string(scale));
  report.push_back(Rule('-', 2) + "+" + Rule('-', 6) + "+" + Rule('-', 69));
  for (int weekday = 0; weekday < 7; ++weekday)
    report.push_back(AlignRight(WeekdayName(weekday), 2) + CountAndBar(counts[weekday], scale));
  report.push_back(Rule('-', 79));
}

}  // namespace tobrel
