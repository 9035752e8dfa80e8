// The ranking bar is the order's key, the first value after the handle.
// The rest bar sums the key of every row past the top 30 that carries one:
// the compact listing leaves the rows below rank 100 without values, and
// those add nothing.
#include <cmath>

#include "output/chart_cells.h"
#include "output/report_chart_parts.h"
#include "output/report_table_titles.h"
#include "platform/cp932.h"

namespace tobrel {
namespace {

void AddRankingChart(CountOrder order, const DataRows& table, std::vector<Chart>& charts) {
  const auto handle = ColumnOf(table, "ハンドル");
  if (table.rows.empty() || !handle || *handle + 1 >= table.header.size()) return;
  const std::size_t key = *handle + 1;
  Chart chart = MakeChart(ChartShape::HorizontalBars, "", "発言者", "");
  chart.title = CountRankingTitle(order) + cp932::FromUtf8(" 上位30名");
  chart.value_axis = table.header[key];
  ChartSeries series = NamedSeries(table.header[key]);
  double rest = 0;
  for (std::size_t row = 0; row < table.rows.size(); ++row) {
    const double value = CellNumber(table.rows[row], key);
    if (row < kTopRows) {
      chart.categories.push_back(PosterLabel(table, table.rows[row]));
      series.values.push_back(value);
    } else if (!std::isnan(value)) {
      rest += value;
    }
  }
  if (table.rows.size() > kTopRows) {
    chart.categories.push_back(cp932::FromUtf8("その他"));
    series.values.push_back(rest);
  }
  chart.series.push_back(std::move(series));
  charts.push_back(std::move(chart));
}

// A bar per row: the first column names the category, the postings give the bar.
void AddPeriodChart(const DataRows& table, std::size_t index, const std::string& title,
                    const char* category_utf8, std::vector<Chart>& charts) {
  const auto value = ColumnOf(table, "発言数");
  if (table.rows.empty() || !value) return;
  Chart chart = MakeChart(ChartShape::Bars, "", category_utf8, "発言数");
  chart.title = title;
  chart.table = index;
  ChartSeries series = NamedSeries(table.header[*value]);
  for (const auto& row : table.rows) {
    chart.categories.push_back(CellText(row, 0));
    series.values.push_back(CellNumber(row, value));
  }
  chart.series.push_back(std::move(series));
  charts.push_back(std::move(chart));
}

// A row of cells per table row, over the hour columns "0" to "23".
void AddHourHeatMap(const DataRows& table, std::size_t index, const std::string& title,
                    bool rows_are_posters, std::vector<Chart>& charts) {
  const auto first_hour = ColumnOf(table, "0");
  const auto total = ColumnOf(table, "合計");
  if (table.rows.empty() || !first_hour || !total || *total < *first_hour) return;
  Chart chart = MakeChart(ChartShape::HeatMap, "", "時", "発言数");
  chart.title = title;
  chart.table = index;
  for (std::size_t column = *first_hour; column < *total; ++column)
    chart.categories.push_back(table.header[column]);
  for (const auto& row : table.rows) {
    ChartSeries series = NamedSeries(rows_are_posters ? PosterLabel(table, row) : CellText(row, 0));
    for (std::size_t column = *first_hour; column < *total; ++column)
      series.values.push_back(CellNumber(row, column));
    chart.series.push_back(std::move(series));
  }
  charts.push_back(std::move(chart));
}

}  // namespace

void AddCountCharts(const ReportRequest& request, const ReportData& data,
                    std::vector<Chart>& charts) {
  if (data.empty()) return;
  AddRankingChart(request.count.order, data[0], charts);
  // The ranking and the best posting come first, then the chosen time
  // tables in their fixed order.
  const std::vector<std::string> titles = ReportTableTitles(request, data);
  std::size_t next = 2;
  std::size_t index = 0;
  auto table = [&data, &next, &index](bool asked) -> const DataRows* {
    if (!asked || next >= data.size()) return nullptr;
    index = next;
    return &data[next++];
  };
  const TimeTableChoice& choice = request.count.time_tables;
  if (const DataRows* days = table(choice.by_date))
    AddPeriodChart(*days, index, titles[index], "日付", charts);
  if (const DataRows* months = table(choice.by_month))
    AddPeriodChart(*months, index, titles[index], "年月", charts);
  if (const DataRows* hours = table(choice.by_hour))
    AddPeriodChart(*hours, index, titles[index], "時", charts);
  if (const DataRows* weekdays = table(choice.by_weekday))
    AddPeriodChart(*weekdays, index, titles[index], "曜日", charts);
  if (const DataRows* id_hours = table(choice.by_id_hour))
    AddHourHeatMap(*id_hours, index, titles[index], true, charts);
  if (const DataRows* weekday_hours = table(choice.by_weekday_hour))
    AddHourHeatMap(*weekday_hours, index, titles[index], false, charts);
}

}  // namespace tobrel
