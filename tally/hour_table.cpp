#include <algorithm>

#include "platform/cp932.h"
#include "tally/report_fields.h"
#include "tally/time_table_parts.h"
#include "tally/time_tables.h"

namespace tobrel {

void WriteHourTable(const HourCounts& counts, ReportText& report) {
  const std::int64_t scale = BarScale(*std::max_element(counts.begin(), counts.end()));

  WriteTitle("【時間帯別発言集計】", report);
  report.push_back(Rule('=', 79));
  report.push_back(cp932::FromUtf8("時|発言数| * = ") + std::to_string(scale));
  report.push_back(Rule('-', 2) + "+" + Rule('-', 6) + "+" + Rule('-', 69));
  for (int hour = 0; hour < 24; ++hour)
    report.push_back(ZeroPadded(hour, 2) + CountAndBar(counts[hour], scale));
  report.push_back(Rule('-', 79));
}

}  // namespace tobrel
