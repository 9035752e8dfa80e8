// The heading of each table of a report's data, as the report heads it
// ("発言数順集計", "日付別発言集計", "月間発言数集計 1998/11"), CP932: for a
// page that shows the tables under headings, and for the charts' titles.
#pragma once

#include <string>
#include <vector>

#include "tally/report_data.h"
#include "tally/report_request.h"

namespace tobrel {

// One heading per table of `data`, the report data of `request`'s run
// (empty for a table the request does not account for).
std::vector<std::string> ReportTableTitles(const ReportRequest& request, const ReportData& data);

// The heading of the ranking table of the posting-count and quotation
// tallies in their orders, and of the comment tally's table.
std::string CountRankingTitle(CountOrder order);
std::string QuoteRankingTitle(QuoteOrder order);
std::string CommentTableTitle(CommentOrder order);

// The name of the report of `request`: its page and order or kind
// ("発言集計（発言数順）").
std::string ReportName(const ReportRequest& request);

}  // namespace tobrel
