// The tables are told apart by their columns: the room information has
// "最小番号", the title list "題名", the missing numbers "欠番開始". The
// months of the title list run from its first month to its last, months
// without postings included, so that the shading reads as a calendar.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>

#include "output/chart_cells.h"
#include "output/report_chart_parts.h"
#include "platform/cp932.h"

namespace tobrel {
namespace {

const DataRows* TableWith(const ReportData& data, std::string_view column_utf8) {
  for (const DataRows& table : data)
    if (ColumnOf(table, column_utf8)) return &table;
  return nullptr;
}

void AddRoomChart(const DataRows& rooms, std::size_t index, const DataRows* missing,
                  std::vector<Chart>& charts) {
  const auto room = ColumnOf(rooms, "会議室");
  const auto postings = ColumnOf(rooms, "発言総数");
  if (rooms.rows.empty() || !room || !postings) return;
  Chart chart = MakeChart(ChartShape::Bars, "会議室別発言総数", "会議室", "発言数");
  chart.marked_label = cp932::FromUtf8("欠番あり");
  chart.table = index;
  ChartSeries series = NamedSeries(rooms.header[*postings]);
  const auto missing_room = missing ? ColumnOf(*missing, "会議室") : std::nullopt;
  for (const auto& row : rooms.rows) {
    const std::string name = CellText(row, room);
    if (missing_room && std::any_of(missing->rows.begin(), missing->rows.end(),
                                    [&](const auto& gap) { return CellText(gap, missing_room) == name; }))
      chart.marked.push_back(chart.categories.size());
    chart.categories.push_back(name);
    series.values.push_back(CellNumber(row, postings));
  }
  chart.series.push_back(std::move(series));
  charts.push_back(std::move(chart));
}

// yyyy * 12 + mm - 1 of a "yyyy/mm..." text, or -1.
int MonthIndex(const std::string& date) {
  int year = 0, month = 0;
  if (date.size() < 7 || date[4] != '/' ||
      std::from_chars(date.data(), date.data() + 4, year).ptr != date.data() + 4 ||
      std::from_chars(date.data() + 5, date.data() + 7, month).ptr != date.data() + 7 ||
      year < 0 || month < 1 || month > 12)
    return -1;
  return year * 12 + month - 1;
}

void AddRoomMonthChart(const DataRows& titles, std::size_t index, std::vector<Chart>& charts) {
  const auto room = ColumnOf(titles, "会議室");
  const auto posted = ColumnOf(titles, "登録日時");
  if (!room || !posted) return;
  // Postings by room number, then by month.
  std::map<double, std::map<int, double>> counts;
  std::map<double, std::string> room_names;
  int first = -1, last = -1;
  for (const auto& row : titles.rows) {
    const int month = MonthIndex(CellText(row, posted));
    const double number = CellNumber(row, room);
    if (month < 0 || std::isnan(number)) continue;
    counts[number][month] += 1;
    room_names[number] = CellText(row, room);
    first = first < 0 ? month : std::min(first, month);
    last = std::max(last, month);
  }
  if (counts.empty()) return;
  Chart chart = MakeChart(ChartShape::HeatMap, "会議室別月別発言数", "年月", "発言数");
  chart.table = index;
  for (int month = first; month <= last; ++month) {
    char label[16];
    std::snprintf(label, sizeof label, "%04d/%02d", month / 12, month % 12 + 1);
    chart.categories.push_back(label);
  }
  for (const auto& [number, months] : counts) {
    ChartSeries series = NamedSeries(cp932::FromUtf8("会議室") + room_names[number]);
    for (int month = first; month <= last; ++month) {
      const auto found = months.find(month);
      series.values.push_back(found == months.end() ? 0 : found->second);
    }
    chart.series.push_back(std::move(series));
  }
  charts.push_back(std::move(chart));
}

}  // namespace

void AddStatsCharts(const ReportData& data, std::vector<Chart>& charts) {
  const DataRows* missing = TableWith(data, "欠番開始");
  if (const DataRows* rooms = TableWith(data, "最小番号"))
    AddRoomChart(*rooms, rooms - data.data(), missing, charts);
  if (const DataRows* titles = TableWith(data, "題名"))
    AddRoomMonthChart(*titles, titles - data.data(), charts);
}

}  // namespace tobrel
