// The table per day. The postings are in time order, so the postings of one
// day follow each other: each counted posting is compared with the day of
// the last entry only, and either adds to it or starts the next day. The
// entries come out in ascending order of day. The distinct IDs of a day are
// counted when the day is complete.
#include "platform/cp932.h"
#include "tally/report_fields.h"
#include "tally/time_table_parts.h"
#include "tally/time_tables.h"

namespace tobrel {
namespace {

struct DayEntry {
  std::int32_t day = 0;  // whole days since 1899-12-30
  std::int64_t count = 0;
  std::size_t distinct_ids = 0;
};

}  // namespace

void WriteDateTable(const std::vector<TimeFact>& facts, ReportText& report) {
  std::vector<DayEntry> days;
  std::vector<PackedId> ids_of_day;
  for (const TimeFact& fact : facts) {
    if (days.empty() || days.back().day != fact.day) {
      if (!days.empty()) days.back().distinct_ids = CountDistinctIds(ids_of_day);
      ids_of_day.clear();
      days.push_back({fact.day, 0, 0});
    }
    ++days.back().count;
    ids_of_day.push_back(fact.id);
  }
  if (!days.empty()) days.back().distinct_ids = CountDistinctIds(ids_of_day);

  DayEntry busiest;  // the zero date-time with no posting
  for (const DayEntry& entry : days)
    if (entry.count > busiest.count) busiest = entry;
  const std::int64_t scale = BarScale(busiest.count);

  WriteTitle("【日付別発言集計】", report);
  report.push_back(Rule('=', 79));
  report.push_back(cp932::FromUtf8("年/月/日(曜)|発言数| * = ") + std::to_string(scale) +
                   cp932::FromUtf8("発言 ():発言者数"));
  report.push_back(Rule('-', 12) + "+" + Rule('-', 6) + "+" + Rule('-', 59));
  for (const DayEntry& entry : days) {
    report.push_back(FormatDateTime("yy/mm/dd(aaa)", entry.day) +
                     CountAndBar(entry.count, scale) + " (" +
                     std::to_string(entry.distinct_ids) + ")");
  }
  report.push_back(Rule('-', 79));
  report.push_back(cp932::FromUtf8("期間中最多発言日：") +
                   FormatDateTime("yyyy/mm/dd", busiest.day) + cp932::FromUtf8("：") +
                   IntField(busiest.count, 5) + cp932::FromUtf8("発言"));
}

}  // namespace tobrel
