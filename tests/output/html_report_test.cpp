// The HTML page: one self-contained document (no script, nothing fetched),
// every table of the report data with its rows and its charts in its
// section, the logs read by name in order, and the fixture's statistics
// page against its reviewed golden file. Each page is kept for the HTML
// parser and the browser that run after this test.
#include <gtest/gtest.h>

#include "output/html_report.h"
#include "output/report_charts.h"
#include "tally/report_request.h"
#include "tests/output/chart_files.h"
#include "tests/output/chart_fixture.h"

namespace tobrel {
namespace {

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
    ++count;
  return count;
}

ReportRequest CountRequest() {
  ReportRequest request;
  request.count.time_tables = {true, true, true, true, true, true};
  request.settings.target.last_number = "7";
  return request;
}

TEST(HtmlReport, IsOneSelfContainedPageWithEveryTableAndChart) {
  LogStore store = testing::ChartStore();
  const ReportRequest request = CountRequest();
  TallyProgress progress;
  ReportData data;
  MakeReport(store, request, progress, &data);
  const std::string page = HtmlReport(request, data, {"a.log", "b<&>.log"}, testing::At("1999/02/03 00:00"));
  testing::KeepChartFile(page, "chart_store_count.html");

  EXPECT_EQ(page.rfind("<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n", 0), 0u);
  EXPECT_NE(page.find("@media print"), std::string::npos);
  for (const char* outside : {"<script", "src=", "href=", "url(", "@import", "<link", "<iframe"})
    EXPECT_EQ(page.find(outside), std::string::npos) << outside;
  // The only address is the SVG namespace, which is a name, not a fetch.
  EXPECT_EQ(Count(page, "http"), Count(page, "xmlns=\"http://www.w3.org/2000/svg\""));
  EXPECT_NE(page.find("<li>a.log</li>\n<li>b&lt;&amp;&gt;.log</li>"), std::string::npos);
  EXPECT_NE(page.find("1999/02/03"), std::string::npos);

  EXPECT_EQ(Count(page, "<section>"), data.size());
  std::size_t rows = 0, tables = 0;
  for (const DataRows& table : data) {
    rows += table.rows.size();
    tables += table.rows.empty() ? 0 : 1;
  }
  EXPECT_EQ(Count(page, "<table>"), tables);
  EXPECT_EQ(Count(page, "<tr>"), rows + tables);  // a header row each
  // Each chart in the section of its table.
  const std::vector<Chart> charts = ReportCharts(request, data);
  EXPECT_EQ(Count(page, "<svg "), charts.size());
  std::vector<std::size_t> sections;
  for (std::size_t at = page.find("<section>"); at != std::string::npos;
       at = page.find("<section>", at + 1))
    sections.push_back(at);
  sections.push_back(page.size());
  std::size_t at = 0;
  for (const Chart& chart : charts) {
    at = page.find("<svg ", at + 1);
    EXPECT_GT(at, sections[chart.table]);
    EXPECT_LT(at, sections[chart.table + 1]);
  }
}

TEST(HtmlReport, TheFixtureStatisticsPageAgainstItsGolden) {
  LogStore store = testing::ChartStore();
  ReportRequest request;
  request.tally = TallyKind::Stats;
  request.stats.title_list = true;
  request.stats.missing_numbers = true;
  request.settings.target.last_number = "7";
  TallyProgress progress;
  ReportData data;
  MakeReport(store, request, progress, &data);
  // A log whose name is Shift-JIS bytes shows as its Japanese name.
  const std::vector<std::string> read_files = {"logs/room1.log", "logs/" + testing::S("会議室") + ".log"};
  testing::ExpectChartGolden(HtmlReport(request, data, read_files, testing::At("1999/02/03 00:00")),
                             "chart_store_stats.html");
}

TEST(HtmlReport, WithoutDataStillAPage) {
  ReportRequest request;
  request.tally = TallyKind::Month;
  request.month.range = {{1998, 11}, {1998, 12}};
  const std::string page = HtmlReport(request, {}, {}, testing::At("1999/02/03 00:00"));
  EXPECT_NE(page.find("<h1>"), std::string::npos);
  EXPECT_NE(page.find("1998/11 ～ 1998/12"), std::string::npos);
  EXPECT_EQ(page.find("<section>"), std::string::npos);
  EXPECT_EQ(page.substr(page.size() - 16), "</body>\n</html>\n");
}

}  // namespace
}  // namespace tobrel
