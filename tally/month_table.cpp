// The table per month. Each counted posting adds to the entry of its year and
// month, kept in a map ordered by month, so the entries come out in
// ascending order whatever the order of the postings. The IDs of each month
// are gathered and their distinct number counted at the end.
#include <map>

#include "platform/cp932.h"
#include "tally/report_fields.h"
#include "tally/time_table_parts.h"
#include "tally/time_tables.h"

namespace tobrel {
namespace {

struct MonthEntry {
  std::int64_t count = 0;
  std::vector<PackedId> ids;
};

// The first day of a month key (year * 12 + month - 1) at 00:00.
DateTime FirstDayOf(int month_key) {
  return *EncodeDateTime({month_key / 12, month_key % 12 + 1, 1, 0, 0, 0});
}

}  // namespace

void WriteMonthTable(const std::vector<TimeFact>& facts, ReportText& report) {
  std::map<int, MonthEntry> months;
  MonthEntry* last = nullptr;  // postings of one month mostly follow each other
  int last_key = -1;
  for (const TimeFact& fact : facts) {
    if (!last || fact.month != last_key) {
      last = &months[fact.month];
      last_key = fact.month;
    }
    ++last->count;
    last->ids.push_back(fact.id);
  }

  DateTime busiest_month = 0;  // the zero date-time with no posting
  std::int64_t busiest_count = 0;
  for (const auto& [key, entry] : months) {
    if (entry.count > busiest_count) {
      busiest_month = FirstDayOf(key);
      busiest_count = entry.count;
    }
  }
  const std::int64_t scale = BarScale(busiest_count);

  WriteTitle("【月別発言集計】", report);
  report.push_back(Rule('=', 79));
  report.push_back(cp932::FromUtf8("     年/月  |発言数| * = ") + std::to_string(scale) +
                   cp932::FromUtf8("発言 ():発言者数"));
  report.push_back(Rule('-', 12) + "+" + Rule('-', 6) + "+" + Rule('-', 59));
  for (auto& [key, entry] : months) {
    report.push_back("   " + FormatDateTime("yyyy/mm", FirstDayOf(key)) + "  " +
                     CountAndBar(entry.count, scale) + " (" +
                     std::to_string(CountDistinctIds(entry.ids)) + ")");
  }
  report.push_back(Rule('-', 79));
  report.push_back(cp932::FromUtf8("期間中最多発言月：") +
                   FormatDateTime("yyyy/mm", busiest_month) + cp932::FromUtf8("：") +
                   IntField(busiest_count, 5) + cp932::FromUtf8("発言"));
}

}  // namespace tobrel
