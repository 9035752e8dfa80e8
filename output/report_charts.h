// The charts of one report, as plain values that every drawing of them (the
// window's chart view, the SVG and HTML writers) takes as they stand. They are
// built from the report's data, the values that the tab-separated export
// writes, of the same tally run; a chart never counts postings itself.
//
// Texts (titles, axis names, labels, series names) are CP932 like every report
// line; a drawing converts them at its edge.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tally/report_data.h"
#include "tally/report_request.h"

namespace tobrel {

// How a chart draws its series over its categories.
enum class ChartShape {
  HorizontalBars,  // one bar per category, categories down the side (rankings)
  Bars,            // one bar per category and series, categories along the bottom
  StackedBars,     // the series stacked in one horizontal bar per category
  Lines,           // one line per series over the categories (ranks month by month)
  HeatMap,         // a cell per series (row) and category (column), shaded by value
};

// One named row of values, one value per category of its chart. A category
// the series has no value for (a poster not ranked that month) holds NaN and
// is drawn as a gap.
struct ChartSeries {
  std::string name;
  std::vector<double> values;
};

struct Chart {
  ChartShape shape = ChartShape::Bars;
  std::string title;
  std::string category_axis;
  std::string value_axis;
  // In drawing order: top to bottom for horizontal bars, left to right else.
  std::vector<std::string> categories;
  std::vector<ChartSeries> series;
  // Categories drawn marked (the rooms with missing numbers), and what the
  // mark means, for a legend ("欠番あり").
  std::vector<std::size_t> marked;
  std::string marked_label;
  // The table of the report data the chart is drawn from (the first of
  // them for the monthly ranks, which follow every month's table).
  std::size_t table = 0;
  // Ranks: 1 is drawn at the top of the value axis.
  bool value_axis_reversed = false;
};

// The charts of the report that `request` made, from `data`, the report data
// of the same run, in the order the report shows its tables. No chart for a
// table that has no rows or no value above zero (the hour tables of a range
// without postings); no charts at all for an empty `data`.
std::vector<Chart> ReportCharts(const ReportRequest& request, const ReportData& data);

}  // namespace tobrel
