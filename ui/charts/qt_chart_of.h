// A chart value drawn as a Qt chart: horizontal, stacked and vertical bars
// and lines (Qt has no heat map: ui/charts/heat_map_view.h draws those).
// Only a window of the categories is drawn, so that a chart of thousands of
// posters or days stays quick and readable; the pane around it scrolls the
// window (ui/charts/chart_pane.h).
#pragma once

#include <QChart>
#include <QString>
#include <cstddef>
#include <memory>

#include "output/report_charts.h"
#include "ui/charts/chart_look.h"

namespace tobrel {

// The categories [first, first + count) of a chart.
struct CategoryWindow {
  std::size_t first = 0;
  std::size_t count = 0;
};

// The label of category `index` as the charts show it: "※" before a
// marked one.
QString CategoryLabel(const Chart& chart, std::size_t index);

// The Qt chart of the categories in `window` of `chart` (a window reaching
// past the last category is cut to it), in `look`. Along the bottom, at most
// `label_room` category labels are written (every second, third ... one when
// there are more). Bars and lines keep the chart's series in order: one bar
// set, or one line, per series, named as the series, with the values of the
// window's categories. Horizontal bars hold them from the last category to
// the first, since Qt draws the first at the bottom; a NaN bar counts 0; a
// line breaks at NaN into pieces of the same colour, each holding the
// property "series" with the series' index, the legend naming only the
// first. Marked categories' bars are selected and drawn in
// ChartLook::MarkedColor(), the category axis' name (the title, for names
// down the side, which show no axis name) telling what the mark means.
// Nullptr for a heat map.
std::unique_ptr<QChart> QtChartOf(const Chart& chart, CategoryWindow window, int label_room,
                                  const ChartLook& look);

}  // namespace tobrel
