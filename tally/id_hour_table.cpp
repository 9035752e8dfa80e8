// The cell width follows the largest single hour cell of the whole table.
#include <algorithm>
#include <utility>

#include "platform/cp932.h"
#include "tally/report_fields.h"
#include "tally/time_table_parts.h"
#include "tally/time_tables.h"

namespace tobrel {

void WriteIdHourTable(const std::vector<IdHourCount>& entries, ReportText& report) {
  HourCounts hour_totals{};
  std::int64_t grand_total = 0, largest_cell = 0;
  for (const IdHourCount& entry : entries) {
    for (int hour = 0; hour < 24; ++hour) {
      hour_totals[hour] += entry.hours[hour];
      largest_cell = std::max(largest_cell, entry.hours[hour]);
    }
    grand_total += entry.total;
  }
  const int width = CellWidth(largest_cell);
  const std::string rule = Rule('-', 8) + "+" + Rule('-', 16) + "+" + HourRule(width) + "-----";

  WriteTitle("【ID別時間帯発言数集計】", report);
  report.push_back(Rule('=', width * 24 + 34));
  report.push_back(cp932::FromUtf8("ID      |ハンドル　　　　|") + HourHeadings(width) +
                   cp932::FromUtf8("合計"));
  report.push_back(rule);
  for (const IdHourCount& entry : entries) {
    std::string row = AlignRight(entry.id, 8);
    row.reserve(row.size() + 18 + 24 * (width + 1) + 5);
    row += ' ';
    row += AlignLeft(entry.handle, 16);
    row += ' ';
    for (const std::int64_t count : entry.hours) AppendHourCell(count, width, row);
    AppendIntField(entry.total, 5, row);
    report.push_back(std::move(row));
  }
  report.push_back(rule);
  std::string totals = Rule(' ', 25);
  for (const std::int64_t count : hour_totals) totals += IntField(count, width + 1);
  report.push_back(totals + IntField(grand_total, width + 3));
}

}  // namespace tobrel
