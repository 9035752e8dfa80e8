#include "output/report_charts.h"

#include <algorithm>

#include "output/report_chart_parts.h"

namespace tobrel {
namespace {

// True when some value of the chart is above zero: the hour and weekday
// tables have their rows even when no posting was counted.
bool HasSomethingToDraw(const Chart& chart) {
  return std::any_of(chart.series.begin(), chart.series.end(), [](const ChartSeries& series) {
    return std::any_of(series.values.begin(), series.values.end(),
                       [](double value) { return value > 0; });
  });
}

}  // namespace

std::vector<Chart> ReportCharts(const ReportRequest& request, const ReportData& data) {
  std::vector<Chart> charts;
  switch (request.tally) {
    case TallyKind::Count:
      AddCountCharts(request, data, charts);
      break;
    case TallyKind::Quote:
      AddQuoteCharts(request, data, charts);
      break;
    case TallyKind::Comment:
      AddCommentCharts(request, data, charts);
      break;
    case TallyKind::Stats:
      AddStatsCharts(data, charts);
      break;
    case TallyKind::Month:
      AddMonthCharts(request, data, charts);
      break;
  }
  std::erase_if(charts, [](const Chart& chart) { return !HasSomethingToDraw(chart); });
  return charts;
}

}  // namespace tobrel
