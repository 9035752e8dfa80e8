// The charts of each tally, as ReportCharts gathers them: each function
// appends the charts of its report's data tables to `charts`, in the order
// the report shows its tables, and skips a table that has no rows or lacks
// the columns it reads.
#pragma once

#include <vector>

#include "output/report_charts.h"

namespace tobrel {

// The poster ranking as horizontal bars (the top 30 and the rest summed in
// one bar), then a chart for each time table that was asked for.
void AddCountCharts(const ReportRequest& request, const ReportData& data,
                    std::vector<Chart>& charts);

// Own and quoted characters of the top 30 posters as stacked bars.
void AddQuoteCharts(const ReportRequest& request, const ReportData& data,
                    std::vector<Chart>& charts);

// Comments received by the top 30 posters or postings.
void AddCommentCharts(const ReportRequest& request, const ReportData& data,
                      std::vector<Chart>& charts);

// Postings per room (rooms with missing numbers marked), and per room and
// month when the title list lists the postings.
void AddStatsCharts(const ReportData& data, std::vector<Chart>& charts);

// The ranks of the leading posters month by month, or one ID's months.
void AddMonthCharts(const ReportRequest& request, const ReportData& data,
                    std::vector<Chart>& charts);

}  // namespace tobrel
