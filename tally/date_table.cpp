#include "platform/cp932.h"
#include "tally/report_fields.h"
#include "tally/time_table_parts.h"
#include "tally/time_tables.h"

namespace tobrel {

void WriteDateTable(const std::vector<PeriodCount>& days, ReportText& report) {
  const PeriodCount busiest = BusiestPeriod(days);
  const std::int64_t scale = BarScale(busiest.count);

  WriteTitle("【日付別発言集計】", report);
  report.push_back(Rule('=', 79));
  report.push_back(cp932::FromUtf8("年/月/日(曜)|発言数| * = ") + std::to_string(scale) +
                   cp932::FromUtf8("発言 ():発言者数"));
  report.push_back(Rule('-', 12) + "+" + Rule('-', 6) + "+" + Rule('-', 59));
  for (const PeriodCount& entry : days) {
    report.push_back(FormatDateTime("yy/mm/dd(aaa)", entry.first_day) +
                     CountAndBar(entry.count, scale) + " (" +
                     std::to_string(entry.distinct_ids) + ")");
  }
  report.push_back(Rule('-', 79));
  report.push_back(cp932::FromUtf8("期間中最多発言日：") +
                   FormatDateTime("yyyy/mm/dd", busiest.first_day) + cp932::FromUtf8("：") +
                   IntField(busiest.count, 5) + cp932::FromUtf8("発言"));
}

}  // namespace tobrel
