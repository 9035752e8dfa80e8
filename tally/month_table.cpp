#include "platform/cp932.h"
#include "tally/report_fields.h"
#include "tally/time_table_parts.h"
#include "tally/time_tables.h"

namespace tobrel {

void WriteMonthTable(const std::vector<PeriodCount>& months, ReportText& report) {
  const PeriodCount busiest = BusiestPeriod(months);
  const std::int64_t scale = BarScale(busiest.count);

  WriteTitle("【月別発言集計】", report);
  report.push_back(Rule('=', 79));
  report.push_back(cp932::FromUtf8("     年/月  |発言数| * = ") + std::to_string(scale) +
                   cp932::FromUtf8("発言 ():発言者数"));
  report.push_back(Rule('-', 12) + "+" + Rule('-', 6) + "+" + Rule('-', 59));
  for (const PeriodCount& entry : months) {
    report.push_back("   " + FormatDateTime("yyyy/mm", entry.first_day) + "  " +
                     CountAndBar(entry.count, scale) + " (" +
                     std::to_string(entry.distinct_ids) + ")");
  }
  report.push_back(Rule('-', 79));
  report.push_back(cp932::FromUtf8("期間中最多発言月：") +
                   FormatDateTime("yyyy/mm", busiest.first_day) + cp932::FromUtf8("：") +
                   IntField(busiest.count, 5) + cp932::FromUtf8("発言"));
}

}  // namespace tobrel
