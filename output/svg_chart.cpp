// The frame of a drawing: the title, the legend (the series by colour when
// there are several, or lines; what a mark means), then the plot of the
// shape below them, on a white ground.
#include "output/svg_chart.h"

#include <algorithm>

#include "output/svg_chart_parts.h"
#include "output/svg_text.h"
#include "platform/cp932.h"

namespace tobrel {
namespace {

constexpr double kMargin = 12;
constexpr double kTitleFont = 15;
constexpr double kLegendRow = 18;
constexpr double kMaxLegendName = 220;
constexpr double kChartGap = 16;

struct LegendEntry {
  std::string colour;
  bool line = false;
  bool dashed = false;
  std::string text;  // escaped
  double width = 0;
};

std::vector<LegendEntry> LegendOf(const Chart& chart) {
  std::vector<LegendEntry> entries;
  const bool lines = chart.shape == ChartShape::Lines;
  if (chart.shape != ChartShape::HeatMap && (lines || chart.series.size() > 1)) {
    for (std::size_t s = 0; s < chart.series.size(); ++s) {
      const std::string name = CutToWidth(chart.series[s].name, kMaxLegendName, kLabelFont);
      entries.push_back({SeriesColour(s), lines, SeriesDashed(s), XmlText(name),
                         TextWidth(name, kLabelFont)});
    }
  }
  if (!chart.marked.empty()) {
    const std::string name =
        cp932::FromUtf8("＊ ") + (chart.marked_label.empty() ? std::string() : chart.marked_label);
    entries.push_back({kMarkColour, false, false, XmlText(name), TextWidth(name, kLabelFont)});
  }
  return entries;
}

// Draws the legend from (x, y) within `width`, wrapping to new rows; gives
// the height it took.
double DrawLegend(const std::vector<LegendEntry>& entries, double x, double y, double width,
                  SvgMarkup& svg) {
  if (entries.empty()) return 0;
  double at = x, row = 0;
  for (const LegendEntry& entry : entries) {
    const double entry_width = 22 + entry.width + 16;
    if (at > x && at + entry_width > x + width) {
      at = x;
      row += 1;
    }
    const double middle = y + row * kLegendRow + kLegendRow / 2;
    if (entry.line)
      svg.Line(at, middle, at + 16, middle, entry.colour, 2,
               entry.dashed ? "stroke-dasharray=\"6 3\"" : "");
    else
      svg.Rect(at + 2, middle - 6, 12, 12, entry.colour);
    svg.Text(at + 22, middle + 4, entry.text, kLabelFont, "start",
             "fill=\"" + std::string(kTextColour) + "\"");
    at += entry_width;
  }
  return (row + 1) * kLegendRow + 6;
}

// A framed chart in two pieces, so that a large plot is moved, never copied:
// the ground, title, legend and the opening of the plot's group; the plot
// and the group's end.
struct FramedChart {
  std::string head;
  std::string plot;
  double width = 0;
  double height = 0;
};

FramedChart Frame(const Chart& chart) {
  ChartDrawing plot;
  switch (chart.shape) {
    case ChartShape::HorizontalBars:
    case ChartShape::StackedBars:
      plot = DrawRows(chart);
      break;
    case ChartShape::Bars:
    case ChartShape::Lines:
      plot = DrawColumns(chart);
      break;
    case ChartShape::HeatMap:
      plot = DrawHeatMap(chart);
      break;
  }
  const double width =
      std::max(plot.width, TextWidth(chart.title, kTitleFont)) + 2 * kMargin;
  const double legend_top = kMargin + kTitleFont + 10;
  SvgMarkup legend;
  const double top = legend_top + DrawLegend(LegendOf(chart), kMargin, legend_top,
                                             width - 2 * kMargin, legend);
  FramedChart framed;
  framed.width = width;
  framed.height = top + plot.height + kMargin;
  SvgMarkup head;
  head.Rect(0, 0, width, framed.height, "#FFFFFF");
  head.Text(kMargin, kMargin + kTitleFont, XmlText(chart.title), kTitleFont, "start",
            "font-weight=\"bold\" fill=\"" + std::string(kTextColour) + "\"");
  head.Raw(legend.str());
  head.Raw("<g transform=\"translate(" + Coordinate(kMargin) + ' ' + Coordinate(top) +
           ")\" fill=\"" + kTextColour + "\">\n");
  framed.head = head.Take();
  framed.plot = plot.markup.Take();
  framed.plot += "</g>\n";
  return framed;
}

std::string SvgOpening(double width, double height, std::string_view more) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Coordinate(width) +
         "\" height=\"" + Coordinate(height) + "\" viewBox=\"0 0 " + Coordinate(width) + ' ' +
         Coordinate(height) + "\" font-family=\"" + kChartFonts + "\"" + std::string(more) + ">\n";
}

}  // namespace

std::string SvgChartElement(const Chart& chart) {
  FramedChart framed = Frame(chart);
  // The plot, which may be megabytes, stays where it is; the rest goes
  // before it, into the room its drawing left.
  std::string svg = std::move(framed.plot);
  svg.insert(0, SvgOpening(framed.width, framed.height,
                           " role=\"img\" aria-label=\"" + XmlText(chart.title) + "\"") +
                    framed.head);
  svg += "</svg>\n";
  return svg;
}

std::string SvgChartsDocument(const std::vector<Chart>& charts) {
  std::string body;
  double width = 0, height = 0;
  for (const Chart& chart : charts) {
    const FramedChart framed = Frame(chart);
    if (height > 0) height += kChartGap;
    body += "<svg x=\"0\" y=\"" + Coordinate(height) + "\" width=\"" + Coordinate(framed.width) +
            "\" height=\"" + Coordinate(framed.height) + "\">\n";
    body += framed.head;
    body += framed.plot;
    body += "</svg>\n";
    width = std::max(width, framed.width);
    height += framed.height;
  }
  if (charts.empty()) {
    width = 320;
    height = 40;
    body = "<text x=\"12\" y=\"25\" font-size=\"13\">" +
           XmlTextFromUtf8("グラフにする表がありません") + "</text>\n";
  }
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + SvgOpening(width, height, "") + body +
         "</svg>\n";
}

}  // namespace tobrel
