// A heat map: a row of cells per series (its name on the left), a column per
// category (labels above, level or upright and thinned), each cell shaded
// from white to deep blue by its value over the largest and showing its
// figure where the figure fits and the map has at most 100 rows (a larger
// map, the ID table of a big archive, is read by its shades, and the table
// under it has the figures; tens of thousands of texts would only slow the
// browser). A missing value leaves its cell blank, as
// does zero (the white of the ground). A scale of five shades under the grid
// reads the colours.
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
constexpr std::size_t kMostRowsWithFigures = 100;

// White at 0, #08519C at 1, in 256 steps made once.
const std::string& Shade(double share) {
  static const std::vector<std::string> kShades = [] {
    std::vector<std::string> shades;
    for (int step = 0; step < 256; ++step) {
      auto mix = [step](int deep) { return 255 + (deep - 255) * step / 255; };
      char colour[8];
      std::snprintf(colour, sizeof colour, "#%02X%02X%02X", mix(0x08), mix(0x51), mix(0x9C));
      shades.push_back(colour);
    }
    return shades;
  }();
  const double clamped = std::isfinite(share) ? std::clamp(share, 0.0, 1.0) : 0.0;
  return kShades[static_cast<std::size_t>(std::lround(clamped * 255))];
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
  const bool figures = TextWidth(FigureText(largest), kFigureFont) <= cell - 3 &&
                       chart.series.size() <= kMostRowsWithFigures;

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
  // A cell and its figure take some 80 bytes; the labels and the frame, the rest.
  svg.Reserve(chart.series.size() * (columns * (figures ? 80 : 45) + 120) + columns * 120 +
              16384);
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

  // The cells, then their figures, each in a group that holds what they share.
  for (std::size_t row = 0; row < chart.series.size(); ++row)
    svg.Text(grid_x - 6, grid_y + row * kCellHeight + kCellHeight / 2 + 4, rows[row].text,
             kLabelFont, "end", "", false, rows[row].full);
  auto value_at = [&chart](std::size_t row, std::size_t column) {
    const std::vector<double>& values = chart.series[row].values;
    return column < values.size() ? values[column] : NAN;
  };
  svg.Raw("<g stroke=\"#FFFFFF\">\n");
  for (std::size_t row = 0; row < chart.series.size(); ++row) {
    for (std::size_t column = 0; column < columns; ++column) {
      const double value = value_at(row, column);
      const double x = grid_x + column * cell, y = grid_y + row * kCellHeight;
      // A cell of zero is the white of the ground, and a missing value a gap.
      if (std::isfinite(value) && value > 0)
        svg.BareRect(x, y, cell, kCellHeight, Shade(largest > 0 ? value / largest : 0));
    }
  }
  svg.Raw("</g>\n");
  if (figures) {
    svg.Raw("<g font-size=\"" + Coordinate(kFigureFont) + "\" text-anchor=\"middle\">\n");
    for (std::size_t row = 0; row < chart.series.size(); ++row) {
      for (std::size_t column = 0; column < columns; ++column) {
        const double value = value_at(row, column);
        if (!std::isfinite(value) || value == 0) continue;
        const bool dark = largest > 0 && value / largest > 0.55;
        svg.BareText(grid_x + column * cell + cell / 2, grid_y + row * kCellHeight + kCellHeight / 2 + 3.5,
                     FigureText(value), dark ? "fill=\"#FFFFFF\"" : "");
      }
    }
    svg.Raw("</g>\n");
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
