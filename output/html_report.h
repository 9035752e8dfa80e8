// A report as one self-contained HTML5 page (UTF-8): a heading with the
// report's name, the target range, the day it was made and the logs read,
// then each table of the report's data under its heading, as an HTML table
// with the same rows, its charts drawn inline as SVG above it. Inline CSS
// with a print style; no script and no external resource, so the page
// shows the same offline, in any browser, and on paper.
#pragma once

#include <string>
#include <vector>

#include "platform/date_time.h"
#include "tally/report_data.h"
#include "tally/report_request.h"

namespace tobrel {

// The page of the report that `request` made, from `data` (the report data
// of the same MakeReport run), `read_files` (the store's ReadFiles: native
// paths in reading order) and `today` (the day the page names as made).
// What the window has after a tally, it passes as it is; the page is the
// whole file to save. Never fails; an empty `data` gives a page with the
// heading and no tables.
std::string HtmlReport(const ReportRequest& request, const ReportData& data,
                       const std::vector<std::string>& read_files, DateTime today);

}  // namespace tobrel
