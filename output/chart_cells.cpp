#include "output/chart_cells.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/cp932.h"

namespace tobrel {

std::optional<std::size_t> ColumnOf(const DataRows& table, std::string_view name_utf8) {
  const std::string name = cp932::FromUtf8(name_utf8);
  for (std::size_t column = 0; column < table.header.size(); ++column)
    if (table.header[column] == name) return column;
  return std::nullopt;
}

double CellNumber(const std::vector<std::string>& row, std::optional<std::size_t> column) {
  constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
  if (!column || *column >= row.size()) return kNoValue;
  const std::string& cell = row[*column];
  double value = 0;
  const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
  if (cell.empty() || error != std::errc() || end != cell.data() + cell.size()) return kNoValue;
  return value;
}

std::string CellText(const std::vector<std::string>& row, std::optional<std::size_t> column) {
  return column && *column < row.size() ? row[*column] : std::string();
}

std::string PosterLabel(const DataRows& table, const std::vector<std::string>& row) {
  const std::string handle = CellText(row, ColumnOf(table, "ハンドル"));
  const auto id = ColumnOf(table, "ID");
  if (!id) return handle;
  return handle + " (" + CellText(row, id) + ")";
}

Chart MakeChart(ChartShape shape, std::string_view title_utf8, std::string_view category_axis_utf8,
                std::string_view value_axis_utf8) {
  Chart chart;
  chart.shape = shape;
  chart.title = cp932::FromUtf8(title_utf8);
  chart.category_axis = cp932::FromUtf8(category_axis_utf8);
  chart.value_axis = cp932::FromUtf8(value_axis_utf8);
  return chart;
}

ChartSeries NamedSeries(std::string name) { return ChartSeries{std::move(name), {}}; }

}  // namespace tobrel
