// The rank lines follow the ten posters with the most postings (or
// characters) over the whole range, summed from the month tables: a poster
// who led the range reads as a line across it, where the leaders of one
// month would break off in the months they were quiet. Posters are told
// apart by ID, or by handle when the table hides IDs. A month in which a
// poster has no rank is a gap.
#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "output/chart_cells.h"
#include "output/report_chart_parts.h"
#include "platform/cp932.h"

namespace tobrel {
namespace {

constexpr std::size_t kRankedPosters = 10;
constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

struct Leader {
  std::string key;    // ID or handle
  std::string label;  // as the line is named
  double sum = 0;
};

void AddRankLines(const ReportRequest& request, const ReportData& data,
                  std::vector<Chart>& charts) {
  const bool by_postings = request.month.kind == MonthKind::ByPostings;
  const char* key_name = by_postings ? "発言数" : "発言文字数";
  std::vector<Leader> leaders;  // in order of first appearance
  std::unordered_map<std::string, std::size_t> position;
  for (const DataRows& table : data) {
    const auto id = ColumnOf(table, "ID");
    const auto handle = ColumnOf(table, "ハンドル");
    const auto key = ColumnOf(table, key_name);
    for (const auto& row : table.rows) {
      const std::string who = CellText(row, id ? id : handle);
      const auto [found, added] = position.try_emplace(who, leaders.size());
      if (added) leaders.push_back({who, PosterLabel(table, row), 0});
      const double value = CellNumber(row, key);
      if (!std::isnan(value)) leaders[found->second].sum += value;
    }
  }
  if (leaders.empty()) return;
  std::stable_sort(leaders.begin(), leaders.end(),
                   [](const Leader& a, const Leader& b) { return a.sum > b.sum; });
  if (leaders.size() > kRankedPosters) leaders.resize(kRankedPosters);

  Chart chart = MakeChart(ChartShape::Lines,
                          by_postings ? "月間発言数集計 順位の推移（期間の上位10名）"
                                      : "月間発言文字数集計 順位の推移（期間の上位10名）",
                          "年月", "順位");
  chart.value_axis_reversed = true;
  for (const YearMonth& month : MonthsOfRange(request.month.range))
    chart.categories.push_back(MonthLabel(month));
  for (const Leader& leader : leaders) {
    ChartSeries series = NamedSeries(leader.label);
    series.values.assign(chart.categories.size(), kNoValue);
    for (std::size_t month = 0; month < data.size() && month < series.values.size(); ++month) {
      const DataRows& table = data[month];
      const auto id = ColumnOf(table, "ID");
      const auto who = id ? id : ColumnOf(table, "ハンドル");
      for (const auto& row : table.rows)
        if (CellText(row, who) == leader.key)
          series.values[month] = CellNumber(row, ColumnOf(table, "順位"));
    }
    chart.series.push_back(std::move(series));
  }
  charts.push_back(std::move(chart));
}

void AddIdMonths(const DataRows& table, std::vector<Chart>& charts) {
  if (table.rows.empty()) return;
  const std::string id = CellText(table.rows[0], ColumnOf(table, "ID"));
  const auto month = ColumnOf(table, "年月");
  auto chart_of = [&](ChartShape shape, const char* what, const char* value_axis,
                      std::initializer_list<const char*> columns) {
    Chart chart = MakeChart(shape, "", "年月", value_axis);
    chart.title = cp932::FromUtf8("ID別月間集計 ") + id + " " + cp932::FromUtf8(what);
    for (const auto& row : table.rows) chart.categories.push_back(CellText(row, month));
    for (const char* name : columns) {
      const auto column = ColumnOf(table, name);
      ChartSeries series = NamedSeries(cp932::FromUtf8(name));
      for (const auto& row : table.rows) series.values.push_back(CellNumber(row, column));
      chart.series.push_back(std::move(series));
    }
    return chart;
  };
  charts.push_back(chart_of(ChartShape::Bars, "発言数", "発言数", {"発言数"}));
  charts.push_back(chart_of(ChartShape::Bars, "発言文字数", "発言文字数", {"発言文字数"}));
  Chart ranks = chart_of(ChartShape::Lines, "順位", "順位", {"発言数順位", "文字数順位"});
  ranks.value_axis_reversed = true;
  charts.push_back(std::move(ranks));
}

}  // namespace

void AddMonthCharts(const ReportRequest& request, const ReportData& data,
                    std::vector<Chart>& charts) {
  if (request.month.kind == MonthKind::OneId) {
    if (!data.empty()) AddIdMonths(data[0], charts);
  } else {
    AddRankLines(request, data, charts);
  }
}

}  // namespace tobrel
