// Charts drawn as SVG (UTF-8, plain markup, no script): one chart as an
// <svg> element for a page, or a report's charts stacked in one document.
// A drawing takes its size from its data: long category axes (a date table
// of thousands of days, an ID table of many IDs) widen or lengthen it, and
// their labels are turned upright and thinned rather than overlapped. Texts
// are converted from CP932 and escaped, so that any handle or title gives
// valid UTF-8 and XML. The fonts asked for are IPAGothic, then the
// generic sans-serif.
#pragma once

#include <string>
#include <vector>

#include "output/report_charts.h"

namespace tobrel {

// The font-family list of every drawing.
inline constexpr const char* kChartFonts = "IPAGothic, sans-serif";

// `chart` as one <svg> element with its namespace, width and height, for a
// page that holds it inline. Never fails.
std::string SvgChartElement(const Chart& chart);

// `charts` stacked top to bottom in one standalone SVG document (XML
// declaration, one root <svg>, ended by a line feed). No charts give a small
// document that says so ("グラフにする表がありません"). Never fails.
std::string SvgChartsDocument(const std::vector<Chart>& charts);

}  // namespace tobrel
