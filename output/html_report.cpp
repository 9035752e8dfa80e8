// The page is written in one pass into one string. Figures are right-aligned
// (a cell of digits, separators, a sign, a point or a percent sign); each
// chart sits in a box that scrolls sideways on screen when the data made it
// wider than the window, and shrinks to the paper's width in print.
#include "output/html_report.h"

#include <algorithm>

#include "output/report_charts.h"
#include "output/report_table_titles.h"
#include "output/svg_chart.h"
#include "output/svg_text.h"
#include "platform/cp932.h"
#include "platform/path_text.h"
#include "tally/target_test.h"

namespace tobrel {
namespace {

constexpr const char* kStyle = R"(body { font-family: IPAGothic, sans-serif; color: #222; margin: 1.5em; line-height: 1.5; }
h1 { font-size: 1.5em; margin: 0 0 0.4em; }
h2 { font-size: 1.2em; margin: 1.8em 0 0.6em; padding-bottom: 0.2em; border-bottom: 2px solid #0072B2; }
dl.facts { display: grid; grid-template-columns: max-content 1fr; gap: 0.2em 1em; margin: 0; }
dl.facts dt { font-weight: bold; }
dl.facts dd { margin: 0; }
dl.facts ol { margin: 0; padding-left: 1.4em; }
.chart { overflow-x: auto; margin: 0.6em 0 1em; }
.chart svg { display: block; }
table { border-collapse: collapse; font-size: 0.9em; margin-bottom: 1em; }
th, td { border: 1px solid #BBB; padding: 0.15em 0.5em; vertical-align: top; }
thead th { background: #E8EEF5; position: sticky; top: 0; }
td.n { text-align: right; font-variant-numeric: tabular-nums; white-space: nowrap; }
tbody tr:nth-child(even) { background: #F7F7F7; }
p.empty { color: #666; }
@media print {
  body { margin: 0; font-size: 10pt; }
  h2 { break-after: avoid; }
  .chart { overflow: visible; break-inside: avoid; }
  .chart svg { max-width: 100%; height: auto; }
  thead { display: table-header-group; }
  thead th { position: static; }
  tr { break-inside: avoid; }
  tbody tr:nth-child(even) { background: none; }
}
)";

std::string Escaped(const char* utf8) { return XmlTextFromUtf8(utf8); }

bool IsFigure(const std::string& cell) {
  if (cell.empty()) return false;
  for (const char c : cell)
    if (!((c >= '0' && c <= '9') || c == '.' || c == ',' || c == '-' || c == '%')) return false;
  return true;
}

// The target range as one line ("番号指定 #1 ～ #65000", as the report's
// target lines say it), or the months of the monthly tally, which reads no
// target range.
std::string TargetText(const ReportRequest& request) {
  static const std::string kTargetLabel = cp932::FromUtf8("集計対象：");
  if (request.tally == TallyKind::Month) {
    const MonthRange& range = request.month.range;
    return MonthLabel(range.from) + Escaped(" ～ ") + MonthLabel(range.to);
  }
  ReportText lines;
  WriteTargetLines(request.settings.target, lines);
  std::string text;
  for (const std::string& line : lines) {
    std::size_t start = line.find_first_not_of(' ');
    if (start == std::string::npos) continue;
    if (line.compare(start, kTargetLabel.size(), kTargetLabel) == 0) start += kTargetLabel.size();
    if (!text.empty()) text += ' ';
    text += line.substr(start);
  }
  return XmlText(text);
}

// About the bytes a table takes on the page: its cells twice over (UTF-8
// is longer than CP932) and their tags.
std::size_t TableBytes(const DataRows& table) {
  std::size_t bytes = 256;
  for (const auto& row : table.rows) {
    bytes += 12;
    for (const std::string& cell : row) bytes += cell.size() * 2 + 20;
  }
  return bytes;
}

void AppendTable(const DataRows& table, std::string& page) {
  if (table.rows.empty()) {
    page += "<p class=\"empty\">" + Escaped("該当する行はありません") + "</p>\n";
    return;
  }
  page += "<table>\n<thead><tr>";
  for (const std::string& name : table.header) {
    page += "<th>";
    AppendXmlText(page, name);
    page += "</th>";
  }
  page += "</tr></thead>\n<tbody>\n";
  // Rows in blocks, the texts of a block converted together.
  constexpr std::size_t kBlockRows = 512;
  for (std::size_t first = 0; first < table.rows.size(); first += kBlockRows) {
    const std::size_t end = std::min(table.rows.size(), first + kBlockRows);
    std::vector<std::string_view> texts;
    for (std::size_t row = first; row < end; ++row)
      for (const std::string& cell : table.rows[row])
        if (!IsPlainXmlText(cell)) texts.push_back(cell);
    const std::vector<std::string> converted = XmlTexts(texts);
    std::size_t next = 0;
    for (std::size_t row = first; row < end; ++row) {
      page += "<tr>";
      for (const std::string& cell : table.rows[row]) {
        page += IsFigure(cell) ? "<td class=\"n\">" : "<td>";
        page += IsPlainXmlText(cell) ? cell : converted[next++];
        page += "</td>";
      }
      page += "</tr>\n";
    }
  }
  page += "</tbody>\n</table>\n";
}

}  // namespace

std::string HtmlReport(const ReportRequest& request, const ReportData& data,
                       const std::vector<std::string>& read_files, DateTime today) {
  const std::string name = XmlText(ReportName(request));
  std::string page =
      "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
      name + " - Tobrel</title>\n<style>\n" + kStyle + "</style>\n</head>\n<body>\n<header>\n<h1>" +
      name + "</h1>\n<dl class=\"facts\">\n<dt>" +
      (request.tally == TallyKind::Month ? Escaped("集計期間") : Escaped("集計対象")) + "</dt><dd>" +
      TargetText(request) + "</dd>\n<dt>" + Escaped("作成日") + "</dt><dd>" +
      FormatDateTime("yyyy/mm/dd", today) + "</dd>\n<dt>" + Escaped("読み込んだログ") + "</dt><dd>";
  if (read_files.empty()) {
    page += Escaped("なし");
  } else {
    page += "<ol>\n";
    for (const std::string& path : read_files)
      page += "<li>" + XmlTextFromUtf8(PathToUtf8(path)) + "</li>\n";
    page += "</ol>";
  }
  page += "</dd>\n</dl>\n</header>\n";

  const std::vector<std::string> titles = ReportTableTitles(request, data);
  const std::vector<Chart> charts = ReportCharts(request, data);
  // The drawings first, so that the page is made room for once: a large
  // report's page runs to many megabytes.
  std::vector<std::string> drawings;
  std::size_t bytes = page.size() + 64;
  for (const Chart& chart : charts) {
    drawings.push_back(SvgChartElement(chart));
    bytes += drawings.back().size() + 32;
  }
  for (const DataRows& table : data) bytes += TableBytes(table) + 128;
  page.reserve(bytes);
  for (std::size_t index = 0; index < data.size(); ++index) {
    page += "<section>\n<h2>" + XmlText(titles[index]) + "</h2>\n";
    for (std::size_t c = 0; c < charts.size(); ++c)
      if (charts[c].table == index) {
        page += "<div class=\"chart\">\n";
        page += drawings[c];
        page += "</div>\n";
      }
    AppendTable(data[index], page);
    page += "</section>\n";
  }
  page += "</body>\n</html>\n";
  return page;
}

}  // namespace tobrel
