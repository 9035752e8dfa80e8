// Reading the cells of a report's data tables for its charts: columns found
// by their header names, numbers read back from the cells, and the labels
// that name a poster or a posting on a chart.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "output/report_charts.h"
#include "tally/report_data.h"

namespace tobrel {

// The position of the column headed `name_utf8` in `table`, or nullopt when
// the table has no such column.
std::optional<std::size_t> ColumnOf(const DataRows& table, std::string_view name_utf8);

// The number in `row`'s cell `column`; NaN for an empty cell, a cell that is
// not a decimal number, or a column the row lacks (a short row of the
// compact listing).
double CellNumber(const std::vector<std::string>& row, std::optional<std::size_t> column);

// The cell text, empty when the row lacks the column.
std::string CellText(const std::vector<std::string>& row, std::optional<std::size_t> column);

// How a ranking row names its poster: "handle (ID)", or the handle alone
// when the table hides IDs.
std::string PosterLabel(const DataRows& table, const std::vector<std::string>& row);

// The number of rows a ranking chart shows before the rest.
inline constexpr std::size_t kTopRows = 30;

// A chart of `shape` with its texts given in UTF-8.
Chart MakeChart(ChartShape shape, std::string_view title_utf8, std::string_view category_axis_utf8,
                std::string_view value_axis_utf8);

// A series named `name` (CP932) with no values yet.
ChartSeries NamedSeries(std::string name);

}  // namespace tobrel
