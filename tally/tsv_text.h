// Tab-separated text of a report's tables: each table is its header row and
// its rows, cells separated by one tab, and an empty line stands between two
// tables. A cell never breaks the table: each tab, line feed, carriage
// return or other control character in it becomes one blank.
#pragma once

#include <string>
#include <string_view>

#include "tally/report_data.h"
#include "tally/report_text.h"

namespace tobrel {

// Appends `cell` to `line` with each tab, line feed, carriage return or
// other control byte (below 0x20, and 0x7F) made one blank. For every
// tab-separated listing, so that a field never breaks its columns.
void AppendTsvCell(std::string_view cell, std::string& line);

// The lines of the tab-separated text, CP932 like the report lines.
ReportText TsvLines(const ReportData& data);

// The whole text as written to a file: UTF-8, each line ended by LF.
std::string TsvDocument(const ReportData& data);

}  // namespace tobrel
