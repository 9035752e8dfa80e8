// Pieces shared by the time-distribution tables: the bar scale and bars of
// the date, month, hour and weekday tables, and the cell width, hour
// headings and rules of the two tables by hour.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tally/report_text.h"

namespace tobrel {

// Postings per "*" for a table whose largest count is `max_count`: 1 up to
// 50, then 2, 4, 10, 20, 40, 100 up to 100, 200, 500, 1000, 2000, 5000, and
// 500 above.
std::int64_t BarScale(std::int64_t max_count);
// "| %5d|" followed by count / scale asterisks.
std::string CountAndBar(std::int64_t count, std::int64_t scale);
// Appends CountAndBar(count, scale) to `row`.
void AppendCountAndBar(std::int64_t count, std::int64_t scale, std::string& row);

// Columns per hour cell for a table whose largest cell is `max_cell`: 2 below
// 100, 3 below 1000, 4 below 10000, 5 below 100000, 7 above.
int CellWidth(std::int64_t max_cell);
// The 24 hour numbers of a heading: "%02d " each when `width` < 3, else
// width - 2 blanks and "%2d ".
std::string HourHeadings(int width);
// 24 times (`width` "-" and "+").
std::string HourRule(int width);
// Appends a cell to `row`: the count right-aligned in `width` columns and a
// blank.
void AppendHourCell(std::int64_t count, int width, std::string& row);

// The title block of a table: an empty line and the title.
void WriteTitle(std::string_view title_utf8, ReportText& report);

}  // namespace tobrel
