// What the SVG drawings of the chart shapes share: the palette, the sizes,
// the labels of categories, and one function per family of shapes. Each
// draws its chart's plot (axes, bars, lines or cells, labels) with its
// top-left corner at (0, 0) and says how much room it took; the frame
// (svg_chart.cpp) adds the title and the legend around it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "output/report_charts.h"
#include "output/svg_markup.h"

namespace tobrel {

struct ChartDrawing {
  SvgMarkup markup;
  double width = 0;
  double height = 0;
};

// Series colours: a few that tell apart in print and to colour-blind eyes;
// past the palette, colours repeat with a dashed line.
const char* SeriesColour(std::size_t series);
bool SeriesDashed(std::size_t series);
inline constexpr const char* kMarkColour = "#D55E00";
inline constexpr const char* kAxisColour = "#444444";
inline constexpr const char* kGridColour = "#DDDDDD";
inline constexpr const char* kTextColour = "#222222";

inline constexpr double kLabelFont = 11;
inline constexpr double kPlotWidth = 640;  // the plot's width before the data widen it

// The label of category `index`, cut to `width` pixels, with the mark "＊"
// before a marked category.
struct CategoryLabel {
  std::string text;  // escaped UTF-8
  std::string full;  // escaped UTF-8 of the whole label when it was cut, else empty
  double width = 0;  // pixels at kLabelFont
  bool marked = false;
};
std::vector<CategoryLabel> CategoryLabels(const Chart& chart, double width);
std::vector<CategoryLabel> SeriesLabels(const Chart& chart, double width);

// True when every value of the chart is a whole number (counts, ranks).
bool WholeValues(const Chart& chart);

// HorizontalBars and StackedBars: a row per category.
ChartDrawing DrawRows(const Chart& chart);
// Bars and Lines: a column per category.
ChartDrawing DrawColumns(const Chart& chart);
// HeatMap: a row per series, a column per category.
ChartDrawing DrawHeatMap(const Chart& chart);

}  // namespace tobrel
