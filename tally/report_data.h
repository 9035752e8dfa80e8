// A report's data: each of its tables as plain values (DataRows), for export
// as tab-separated text. A table's values are a header row and rows of
// cells, CP932 text like every report line. Numbers
// are raw decimals (no separators, no padding); an empty cell has no value.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tobrel {

// One table of a report as values.
struct DataRows {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
};

// The data rows of one report's tables, in the order the report shows them.
using ReportData = std::vector<DataRows>;

// A header row from UTF-8 column names.
std::vector<std::string> HeaderRow(std::initializer_list<std::string_view> names_utf8);

// A cell holding a decimal integer.
inline std::string NumberCell(std::int64_t value) { return std::to_string(value); }

// A cell holding value * 100 / total with two decimals ("12.34"), rounded as
// the report rounds it; "0.00" when `total` is not positive.
std::string PercentCell(std::int64_t value, std::int64_t total);

}  // namespace tobrel
