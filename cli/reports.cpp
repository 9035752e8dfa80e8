#include "cli/reports.h"

namespace tobrel {

ReportFunction FindReport(std::string_view name) {
  static constexpr struct {
    std::string_view name;
    ReportFunction function;
  } kReports[] = {
      {"count", CountReport},
      {"quote", QuoteReport},
      {"comment", CommentReport},
      {"stats", StatsReport},
      {"month", MonthReport},
      {"read", PostingListReport},
      {"savedata", SaveDataReport},
      {"excluded", ExcludedReport},
  };
  for (const auto& report : kReports)
    if (report.name == name) return report.function;
  return nullptr;
}

}  // namespace tobrel
