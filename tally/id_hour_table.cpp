// The table by ID and hour. Each counted posting adds to the hour counter and
// the total of its ID's entry; entries are kept in order of first appearance
// and found through a flat hash index. The table lists them by total descending;
// entries with equal totals keep their order of first appearance. The cell
// width follows the largest single hour cell of the whole table.
#include <algorithm>
#include <array>
#include <numeric>

#include "platform/cp932.h"
#include "tally/id_index.h"
#include "tally/report_fields.h"
#include "tally/time_table_parts.h"
#include "tally/time_tables.h"

namespace tobrel {
namespace {

struct IdHourEntry {
  std::string_view id;
  std::string_view handle;  // of the first counted posting of the ID
  std::int32_t total = 0;
  std::array<std::int32_t, 24> hours{};
};

}  // namespace

void WriteIdHourTable(const std::vector<TimeFact>& facts,
                      const std::vector<ArticleRec>& postings, ReportText& report) {
  std::vector<IdHourEntry> entries;
  IdIndex index;
  for (const TimeFact& fact : facts) {
    const ArticleRec& posting = postings[fact.posting];
    const IdIndex::Found found =
        index.FindOrInsert(posting.Id.view(), static_cast<std::uint32_t>(entries.size()));
    if (found.inserted) entries.push_back({posting.Id.view(), posting.Handle.view()});
    IdHourEntry& entry = entries[found.position];
    ++entry.total;
    ++entry.hours[fact.hour];
  }
  std::vector<std::uint32_t> table_order(entries.size());
  std::iota(table_order.begin(), table_order.end(), 0u);
  std::stable_sort(table_order.begin(), table_order.end(),
                   [&entries](std::uint32_t a, std::uint32_t b) {
                     return entries[a].total > entries[b].total;
                   });

  std::array<std::int64_t, 24> hour_totals{};
  std::int64_t grand_total = 0, largest_cell = 0;
  for (const IdHourEntry& entry : entries) {
    for (int hour = 0; hour < 24; ++hour) {
      hour_totals[hour] += entry.hours[hour];
      largest_cell = std::max<std::int64_t>(largest_cell, entry.hours[hour]);
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
  for (const std::uint32_t position : table_order) {
    const IdHourEntry& entry = entries[position];
    std::string row = AlignRight(entry.id, 8) + " " + AlignLeft(entry.handle, 16) + " ";
    for (const std::int32_t count : entry.hours) row += HourCell(count, width);
    report.push_back(row + IntField(entry.total, 5));
  }
  report.push_back(rule);
  std::string totals = Rule(' ', 25);
  for (const std::int64_t count : hour_totals) totals += IntField(count, width + 1);
  report.push_back(totals + IntField(grand_total, width + 3));
}

}  // namespace tobrel
