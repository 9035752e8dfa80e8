// The time-distribution tables as exported values. Days read "yyyy/mm/dd",
// months "yyyy/mm", weekdays by their short Japanese names; the hour columns
// of the two tables by hour are headed "0" to "23".
#include <numeric>

#include "platform/cp932.h"
#include "tally/time_tables.h"

namespace tobrel {
namespace {

void AppendHourHeader(std::vector<std::string>& header) {
  for (int hour = 0; hour < 24; ++hour) header.push_back(std::to_string(hour));
  header.push_back(cp932::FromUtf8("合計"));
}

void AppendHourCells(const HourCounts& hours, std::vector<std::string>& row) {
  for (const std::int64_t count : hours) row.push_back(NumberCell(count));
  row.push_back(NumberCell(std::accumulate(hours.begin(), hours.end(), std::int64_t{0})));
}

}  // namespace

DataRows DateDataRows(const std::vector<PeriodCount>& days) {
  DataRows table{HeaderRow({"日付", "曜日", "発言数", "発言者数"}), {}};
  for (const PeriodCount& day : days) {
    table.rows.push_back({FormatDateTime("yyyy/mm/dd", day.first_day),
                          FormatDateTime("aaa", day.first_day), NumberCell(day.count),
                          NumberCell(static_cast<std::int64_t>(day.distinct_ids))});
  }
  return table;
}

DataRows MonthDataRows(const std::vector<PeriodCount>& months) {
  DataRows table{HeaderRow({"年月", "発言数", "発言者数"}), {}};
  for (const PeriodCount& month : months) {
    table.rows.push_back({FormatDateTime("yyyy/mm", month.first_day), NumberCell(month.count),
                          NumberCell(static_cast<std::int64_t>(month.distinct_ids))});
  }
  return table;
}

DataRows HourDataRows(const HourCounts& counts) {
  DataRows table{HeaderRow({"時", "発言数"}), {}};
  for (int hour = 0; hour < 24; ++hour)
    table.rows.push_back({NumberCell(hour), NumberCell(counts[hour])});
  return table;
}

DataRows WeekdayDataRows(const std::array<std::int64_t, 7>& counts) {
  DataRows table{HeaderRow({"曜日", "発言数"}), {}};
  for (int weekday = 0; weekday < 7; ++weekday)
    table.rows.push_back({std::string(WeekdayName(weekday)), NumberCell(counts[weekday])});
  return table;
}

DataRows IdHourDataRows(const std::vector<IdHourCount>& entries) {
  DataRows table{HeaderRow({"ID", "ハンドル"}), {}};
  AppendHourHeader(table.header);
  for (const IdHourCount& entry : entries) {
    std::vector<std::string> row{std::string(entry.id), std::string(entry.handle)};
    AppendHourCells(entry.hours, row);
    table.rows.push_back(std::move(row));
  }
  return table;
}

DataRows WeekdayHourDataRows(const std::array<HourCounts, 7>& counts) {
  DataRows table{HeaderRow({"曜日"}), {}};
  AppendHourHeader(table.header);
  for (int weekday = 0; weekday < 7; ++weekday) {
    std::vector<std::string> row{std::string(WeekdayName(weekday))};
    AppendHourCells(counts[weekday], row);
    table.rows.push_back(std::move(row));
  }
  return table;
}

}  // namespace tobrel
