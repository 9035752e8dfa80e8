// --format tsv, html and svg: which reports have data rows to export.
#pragma once

#include <string_view>

namespace tobrel {

// True for the tally reports (count, quote, comment, stats, month), whose
// tables --format tsv writes as data rows, and --format html and svg as
// a page and as charts.
bool HasReportData(std::string_view report);

}  // namespace tobrel
