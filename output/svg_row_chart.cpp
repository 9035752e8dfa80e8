// Rows: the category labels down the left, the value axis along the
// bottom, each bar's figure (a stack's total) after its end.
#include <algorithm>
#include <cmath>

#include "output/chart_scale.h"
#include "output/svg_chart_parts.h"
#include "output/svg_text.h"

namespace tobrel {
namespace {

constexpr double kRowHeight = 22;
constexpr double kBarThickness = 14;
constexpr double kRowLabelWidth = 300;
constexpr double kRowsTop = 20;  // room for the category axis name

}  // namespace

ChartDrawing DrawRows(const Chart& chart) {
  const bool stacked = chart.shape == ChartShape::StackedBars;
  const std::size_t rows = chart.categories.size();
  const std::vector<CategoryLabel> labels = CategoryLabels(chart, kRowLabelWidth);

  // The length of each bar, and the longest one.
  double longest = 0, widest_figure = 0;
  std::vector<double> totals(rows, 0);
  for (std::size_t row = 0; row < rows; ++row) {
    for (const ChartSeries& series : chart.series) {
      const double value = row < series.values.size() ? series.values[row] : NAN;
      if (!std::isfinite(value)) continue;
      if (stacked) totals[row] += std::max(value, 0.0);
      else longest = std::max(longest, value);
      if (!stacked) widest_figure = std::max(widest_figure, TextWidth(FigureText(value), kLabelFont));
    }
    if (stacked) {
      longest = std::max(longest, totals[row]);
      widest_figure = std::max(widest_figure, TextWidth(FigureText(totals[row]), kLabelFont));
    }
  }
  const ValueScale scale = RoundScale(longest, 5, WholeValues(chart));

  double label_width = 40;
  for (const CategoryLabel& label : labels) label_width = std::max(label_width, label.width);
  const double plot_x = label_width + 10;
  const double plot_width = kPlotWidth * 0.75;
  const double plot_bottom = kRowsTop + rows * kRowHeight;
  auto x_of = [&](double value) { return scale.Place(value, plot_x, plot_x + plot_width); };

  ChartDrawing drawing;
  SvgMarkup& svg = drawing.markup;
  svg.Text(0, 12, XmlText(chart.category_axis), kLabelFont, "start",
           "fill=\"" + std::string(kAxisColour) + "\"");
  for (const double tick : scale.ticks) {
    const double x = x_of(tick);
    svg.Line(x, kRowsTop, x, plot_bottom, kGridColour);
    svg.Text(x, plot_bottom + 14, FigureText(tick), kLabelFont, "middle");
  }
  svg.Text(plot_x + plot_width / 2, plot_bottom + 32, XmlText(chart.value_axis), kLabelFont,
           "middle", "fill=\"" + std::string(kAxisColour) + "\"");

  const std::size_t count = std::max<std::size_t>(chart.series.size(), 1);
  for (std::size_t row = 0; row < rows; ++row) {
    const double y = kRowsTop + row * kRowHeight;
    const CategoryLabel& label = labels[row];
    svg.Text(plot_x - 6, y + kRowHeight / 2 + 4, label.text, kLabelFont, "end",
             label.marked ? "fill=\"" + std::string(kMarkColour) + "\"" : "", false, label.full);
    double start = scale.low;
    for (std::size_t s = 0; s < chart.series.size(); ++s) {
      const std::vector<double>& values = chart.series[s].values;
      const double value = row < values.size() ? values[row] : NAN;
      if (!std::isfinite(value)) continue;
      const char* colour = label.marked && count == 1 ? kMarkColour : SeriesColour(s);
      const double top = y + (kRowHeight - kBarThickness) / 2;
      if (stacked) {
        const double end = start + std::max(value, 0.0);
        svg.Rect(x_of(start), top, x_of(end) - x_of(start), kBarThickness, colour);
        start = end;
      } else {
        const double thickness = kBarThickness / count;
        const double bar_top = top + s * thickness;
        const double end = x_of(std::max(value, scale.low));
        svg.Rect(plot_x, bar_top, end - plot_x, thickness, colour);
        svg.Text(end + 4, bar_top + thickness / 2 + 4, FigureText(value), kLabelFont);
      }
    }
    if (stacked)
      svg.Text(x_of(start) + 4, y + kRowHeight / 2 + 4, FigureText(totals[row]), kLabelFont);
  }
  svg.Line(plot_x, kRowsTop, plot_x, plot_bottom, kAxisColour);
  svg.Line(plot_x, plot_bottom, plot_x + plot_width, plot_bottom, kAxisColour);

  drawing.width = plot_x + plot_width + widest_figure + 10;
  drawing.height = plot_bottom + 40;
  return drawing;
}

}  // namespace tobrel
