// A heat map: a row of cells per series (its name on the left), a column per
// category (labels above, level or upright and thinned), each cell shaded
// from white to deep blue by its value over the largest and showing its
// figure where the figure fits. A missing value leaves its cell blank. A
// scale of five shades under the grid reads the colours.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "output/chart_scale.h"
#include "output/svg_chart_parts.h"
#include "output/svg_text.h"

namespace tobrel {
namespace {

constexpr double kCellHeight = 18;
constexpr double kMinCellWidth = 12;
constexpr double kMaxCellWidth = 34;
constexpr double kMaxRowLabelWidth = 240;
constexpr double kFigureFont = 10;

// White at 0, #08519C at 1.
std::string Shade(double share) {
  share = std::clamp(share, 0.0, 1.0);
  auto mix = [share](int deep) { return static_cast<int>(std::lround(255 + (deep - 255) * share)); };
  char colour[8];
  std::snprintf(colour, sizeof colour, "#%02X%02X%02X", mix(0x08), mix(0x51), mix(0x9C));
  return colour;
}

}  // namespace

ChartDrawing DrawHeatMap(const Chart& chart) {
  const std::size_t columns = chart.categories.size();
  const double cell = std::clamp(kPlotWidth / std::max<std::size_t>(columns, 1), kMinCellWidth,
                                 kMaxCellWidth);
  double largest = 0;
  for (const ChartSeries& series : chart.series)
    for (const double value : series.values)
      if (std::isfinite(value)) largest = std::max(largest, value);
  const bool figures = TextWidth(FigureText(largest), kFigureFont) <= cell - 3;

  const std::vector<CategoryLabel> rows = SeriesLabels(chart, kMaxRowLabelWidth);
  double row_label_width = 30;
  for (const CategoryLabel& label : rows) row_label_width = std::max(row_label_width, label.width);
  const double grid_x = row_label_width + 10;

  const std::vector<CategoryLabel> labels = CategoryLabels(chart, 120);
  std::vector<double> widths;
  for (const CategoryLabel& label : labels) widths.push_back(label.width);
  const LabelPlan plan = PlanLabels(widths, cell, kLabelFont);
  const double grid_y = 18 + plan.depth + 4;

  ChartDrawing drawing;
  SvgMarkup& svg = drawing.markup;
  svg.Text(grid_x, 12, XmlText(chart.category_axis), kLabelFont, "start",
           "fill=\"" + std::string(kAxisColour) + "\"");
  for (std::size_t i = 0; i < columns; i += plan.every) {
    const CategoryLabel& label = labels[i];
    const double centre = grid_x + (i + 0.5) * cell;
    const std::string colour =
        label.marked ? "fill=\"" + std::string(kMarkColour) + "\"" : std::string();
    if (plan.upright)
      svg.Text(centre + 4, grid_y - 4, label.text, kLabelFont, "start", colour, true, label.full);
    else
      svg.Text(centre, grid_y - 5, label.text, kLabelFont, "middle", colour, false, label.full);
  }

  for (std::size_t row = 0; row < chart.series.size(); ++row) {
    const double y = grid_y + row * kCellHeight;
    svg.Text(grid_x - 6, y + kCellHeight / 2 + 4, rows[row].text, kLabelFont, "end", "", false,
             rows[row].full);
    const std::vector<double>& values = chart.series[row].values;
    for (std::size_t column = 0; column < columns; ++column) {
      const double value = column < values.size() ? values[column] : NAN;
      const double x = grid_x + column * cell;
      if (!std::isfinite(value)) {
        svg.Rect(x, y, cell, kCellHeight, "none", "stroke=\"#EEEEEE\"");
        continue;
      }
      const double share = largest > 0 ? value / largest : 0;
      svg.Rect(x, y, cell, kCellHeight, Shade(share), "stroke=\"#FFFFFF\"");
      if (figures && value != 0)
        svg.Text(x + cell / 2, y + kCellHeight / 2 + 3.5, FigureText(value), kFigureFont, "middle",
                 share > 0.55 ? "fill=\"#FFFFFF\"" : "");
    }
  }

  svg.Rect(grid_x, grid_y, columns * cell, chart.series.size() * kCellHeight, "none",
           "stroke=\"#CCCCCC\"");

  // The scale: five shades from 0 to the largest value.
  const double scale_y = grid_y + chart.series.size() * kCellHeight + 12;
  svg.Text(grid_x, scale_y + 10, XmlText(chart.value_axis), kLabelFont, "start",
           "fill=\"" + std::string(kAxisColour) + "\"");
  const double ramp_x = grid_x + TextWidth(chart.value_axis, kLabelFont) + 8;
  svg.Text(ramp_x, scale_y + 10, "0", kLabelFont);
  const double boxes_x = ramp_x + 12;
  for (int step = 0; step < 5; ++step)
    svg.Rect(boxes_x + step * 20, scale_y, 20, 12, Shade(step / 4.0), "stroke=\"#CCCCCC\"");
  svg.Text(boxes_x + 104, scale_y + 10, FigureText(largest), kLabelFont);

  drawing.width = std::max(grid_x + columns * cell, boxes_x + 110 +
                                                        TextWidth(FigureText(largest), kLabelFont)) +
                  10;
  drawing.height = scale_y + 20;
  return drawing;
}

}  // namespace tobrel
