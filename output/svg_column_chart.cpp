// Columns: the value axis up the left, the categories along the bottom in
// bands as wide as the data allow (a date table's thousands of days widen
// the drawing instead of crowding it), their labels level or turned upright
// and thinned. Lines break at a missing value; a reversed axis (ranks) puts
// its lowest value at the top.
#include <algorithm>
#include <cmath>

#include "output/chart_scale.h"
#include "output/svg_chart_parts.h"
#include "output/svg_text.h"

namespace tobrel {
namespace {

constexpr double kPlotHeight = 240;
constexpr double kColumnsTop = 10;
constexpr double kMaxBand = 80;
constexpr double kColumnLabelWidth = 160;

double ValueAt(const ChartSeries& series, std::size_t index) {
  return index < series.values.size() ? series.values[index] : NAN;
}

}  // namespace

ChartDrawing DrawColumns(const Chart& chart) {
  const bool lines = chart.shape == ChartShape::Lines;
  const std::size_t columns = std::max<std::size_t>(chart.categories.size(), 1);
  const double band =
      std::clamp(kPlotWidth / columns, lines ? 4.0 : 2.0, kMaxBand);
  const double plot_width = band * columns;

  double largest = 0, smallest = INFINITY;
  for (const ChartSeries& series : chart.series)
    for (const double value : series.values)
      if (std::isfinite(value)) largest = std::max(largest, value), smallest = std::min(smallest, value);
  // Ranks start at 1; every other axis at 0.
  const double low = chart.value_axis_reversed ? std::min(1.0, std::max(smallest, 0.0)) : 0;
  const ValueScale scale = RoundScale(largest, 5, WholeValues(chart), low);

  double tick_width = 0;
  for (const double tick : scale.ticks)
    tick_width = std::max(tick_width, TextWidth(FigureText(tick), kLabelFont));
  const double plot_x = 22 + tick_width + 6;
  const double plot_bottom = kColumnsTop + kPlotHeight;
  auto y_of = [&](double value) {
    return chart.value_axis_reversed ? scale.Place(value, kColumnsTop, plot_bottom)
                                     : scale.Place(value, plot_bottom, kColumnsTop);
  };
  auto centre_of = [&](std::size_t index) { return plot_x + (index + 0.5) * band; };

  ChartDrawing drawing;
  SvgMarkup& svg = drawing.markup;
  // A bar takes some 40 bytes, a label and its tick some 200.
  svg.Reserve(chart.categories.size() * (chart.series.size() * 40 + 200) + 16384);
  for (const double tick : scale.ticks) {
    const double y = y_of(tick);
    svg.Line(plot_x, y, plot_x + plot_width, y, kGridColour);
    svg.Text(plot_x - 5, y + 4, FigureText(tick), kLabelFont, "end");
  }
  svg.Text(12, kColumnsTop + kPlotHeight / 2, XmlText(chart.value_axis), kLabelFont, "middle",
           "fill=\"" + std::string(kAxisColour) + "\"", true);

  const std::vector<CategoryLabel> labels = CategoryLabels(chart, kColumnLabelWidth);
  const std::size_t count = std::max<std::size_t>(chart.series.size(), 1);
  for (std::size_t s = 0; s < chart.series.size(); ++s) {
    const ChartSeries& series = chart.series[s];
    const char* colour = SeriesColour(s);
    if (!lines) {
      const double group = band * (band > 6 ? 0.8 : 1.0);
      const double width = group / count;
      // The bars of a series as one shape (a date table has thousands);
      // a marked bar on its own in the mark's colour.
      const double bar = std::max(width - (width > 4 ? 1 : 0), 0.5);
      std::string steps;
      for (std::size_t i = 0; i < chart.categories.size(); ++i) {
        const double value = ValueAt(series, i);
        // A bar of nothing has no height to draw.
        if (!std::isfinite(value) || value <= scale.low) continue;
        const double x = plot_x + i * band + (band - group) / 2 + s * width;
        const double top = y_of(value);
        if (labels[i].marked && count == 1) {
          svg.Rect(x, top, bar, plot_bottom - top, kMarkColour);
          continue;
        }
        steps += 'M';
        AppendCoordinate(steps, x);
        steps += ' ';
        AppendCoordinate(steps, plot_bottom);
        steps += 'V';
        AppendCoordinate(steps, top);
        steps += 'h';
        AppendCoordinate(steps, bar);
        steps += 'V';
        AppendCoordinate(steps, plot_bottom);
        steps += 'z';
      }
      if (!steps.empty()) svg.FilledPath(steps, colour);
      continue;
    }
    std::string steps;
    bool drawing_line = false;
    for (std::size_t i = 0; i < chart.categories.size(); ++i) {
      const double value = ValueAt(series, i);
      if (!std::isfinite(value)) {
        drawing_line = false;
        continue;
      }
      steps += drawing_line ? 'L' : 'M';
      steps += Coordinate(centre_of(i));
      steps += ' ';
      steps += Coordinate(y_of(value));
      steps += ' ';
      drawing_line = true;
    }
    if (!steps.empty()) {
      steps.pop_back();
      svg.Path(steps, colour, 2, SeriesDashed(s) ? "stroke-dasharray=\"6 3\"" : "");
    }
    for (std::size_t i = 0; i < chart.categories.size(); ++i) {
      const double value = ValueAt(series, i);
      if (std::isfinite(value)) svg.Circle(centre_of(i), y_of(value), 3, colour);
    }
  }
  svg.Line(plot_x, kColumnsTop, plot_x, plot_bottom, kAxisColour);
  svg.Line(plot_x, plot_bottom, plot_x + plot_width, plot_bottom, kAxisColour);

  std::vector<double> widths;
  for (const CategoryLabel& label : labels) widths.push_back(label.width);
  const LabelPlan plan = PlanLabels(widths, band, kLabelFont);
  for (std::size_t i = 0; i < labels.size(); i += plan.every) {
    const CategoryLabel& label = labels[i];
    const std::string colour =
        label.marked ? "fill=\"" + std::string(kMarkColour) + "\"" : std::string();
    if (plan.upright)
      svg.Text(centre_of(i) + 4, plot_bottom + 6, label.text, kLabelFont, "end", colour, true,
               label.full);
    else
      svg.Text(centre_of(i), plot_bottom + 14, label.text, kLabelFont, "middle", colour, false,
               label.full);
    svg.Line(centre_of(i), plot_bottom, centre_of(i), plot_bottom + 3, kAxisColour);
  }
  const double name_y = plot_bottom + plan.depth + 20;
  svg.Text(plot_x + plot_width / 2, name_y, XmlText(chart.category_axis), kLabelFont, "middle",
           "fill=\"" + std::string(kAxisColour) + "\"");

  drawing.width = plot_x + plot_width + 10;
  drawing.height = name_y + 8;
  return drawing;
}

}  // namespace tobrel
