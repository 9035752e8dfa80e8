#include "tally/time_table_parts.h"

#include "platform/cp932.h"
#include "tally/report_fields.h"

namespace tobrel {

std::int64_t BarScale(std::int64_t max_count) {
  static constexpr struct {
    std::int64_t up_to;
    std::int64_t scale;
  } kSteps[] = {{50, 1}, {100, 2}, {200, 4}, {500, 10}, {1000, 20}, {2000, 40}, {5000, 100}};
  for (const auto& step : kSteps)
    if (max_count <= step.up_to) return step.scale;
  return 500;
}

std::string CountAndBar(std::int64_t count, std::int64_t scale) {
  std::string text;
  AppendCountAndBar(count, scale, text);
  return text;
}

void AppendCountAndBar(std::int64_t count, std::int64_t scale, std::string& row) {
  row += "| ";
  AppendIntField(count, 5, row);
  row += '|';
  row.append(static_cast<std::size_t>(count / scale), '*');
}

int CellWidth(std::int64_t max_cell) {
  if (max_cell < 100) return 2;
  if (max_cell < 1000) return 3;
  if (max_cell < 10000) return 4;
  if (max_cell < 100000) return 5;
  return 7;
}

std::string HourHeadings(int width) {
  std::string headings;
  for (int hour = 0; hour < 24; ++hour) {
    if (width < 3) {
      headings += ZeroPadded(hour, 2) + " ";
    } else {
      headings += Rule(' ', width - 2) + IntField(hour, 2) + " ";
    }
  }
  return headings;
}

std::string HourRule(int width) {
  std::string rule;
  for (int hour = 0; hour < 24; ++hour) rule += Rule('-', width) + "+";
  return rule;
}

void AppendHourCell(std::int64_t count, int width, std::string& row) {
  AppendIntField(count, static_cast<std::size_t>(width), row);
  row += ' ';
}

void WriteTitle(std::string_view title_utf8, ReportText& report) {
  report.emplace_back();
  report.push_back(cp932::FromUtf8(title_utf8));
}

}  // namespace tobrel
