// Posters are ranked by the first figure after the handle (the comment sum
// or the comments per posting); postings are named by room, number and
// title.
#include "output/chart_cells.h"
#include "output/report_chart_parts.h"
#include "output/report_table_titles.h"
#include "platform/cp932.h"

namespace tobrel {
namespace {

void AddPosterChart(CommentOrder order, const DataRows& table, std::vector<Chart>& charts) {
  const auto handle = ColumnOf(table, "ハンドル");
  if (!handle || *handle + 1 >= table.header.size()) return;
  const std::size_t key = *handle + 1;
  Chart chart = MakeChart(ChartShape::HorizontalBars, "", "発言者", "");
  chart.title = CommentTableTitle(order) + cp932::FromUtf8(" 上位30名");
  chart.value_axis = table.header[key];
  ChartSeries series = NamedSeries(table.header[key]);
  for (std::size_t row = 0; row < table.rows.size() && row < kTopRows; ++row) {
    chart.categories.push_back(PosterLabel(table, table.rows[row]));
    series.values.push_back(CellNumber(table.rows[row], key));
  }
  chart.series.push_back(std::move(series));
  charts.push_back(std::move(chart));
}

void AddPostingChart(const DataRows& table, std::vector<Chart>& charts) {
  const auto room = ColumnOf(table, "会議室");
  const auto number = ColumnOf(table, "番号");
  const auto title = ColumnOf(table, "タイトル");
  const auto comments = ColumnOf(table, "コメント数");
  if (!room || !number || !title || !comments) return;
  Chart chart = MakeChart(ChartShape::HorizontalBars, "", "発言", "コメント数");
  chart.title = CommentTableTitle(CommentOrder::ByPosting) + cp932::FromUtf8(" 上位30件");
  ChartSeries series = NamedSeries(table.header[*comments]);
  for (std::size_t row = 0; row < table.rows.size() && row < kTopRows; ++row) {
    const auto& cells = table.rows[row];
    chart.categories.push_back(CellText(cells, room) + "-" + CellText(cells, number) + " " +
                               CellText(cells, title));
    series.values.push_back(CellNumber(cells, comments));
  }
  chart.series.push_back(std::move(series));
  charts.push_back(std::move(chart));
}

}  // namespace

void AddCommentCharts(const ReportRequest& request, const ReportData& data,
                      std::vector<Chart>& charts) {
  if (data.empty() || data[0].rows.empty()) return;
  if (request.comment.order == CommentOrder::ByPosting)
    AddPostingChart(data[0], charts);
  else
    AddPosterChart(request.comment.order, data[0], charts);
}

}  // namespace tobrel
