// Orders 2 and 3 list one part of the characters and the whole, so the other
// part is their difference. Orders 0 and 1 list the whole and the quotation
// ratio in percent with two decimals; the quoted part is the whole times the
// ratio, rounded to a character, and the own part the rest.
#include <cmath>

#include "output/chart_cells.h"
#include "output/report_chart_parts.h"
#include "output/report_table_titles.h"
#include "platform/cp932.h"

namespace tobrel {
namespace {

struct QuoteColumns {
  const char* ratio_name;  // "引用率" or "本文率"
  const char* whole;       // total characters
  const char* part;        // own or quoted characters; nullptr: from the ratio
  bool part_is_own;
};

QuoteColumns ColumnsOf(QuoteOrder order) {
  switch (order) {
    case QuoteOrder::ByPostings:
      return {"引用率", "発言文字数", nullptr, false};
    case QuoteOrder::ByChars:
      return {"引用率", "発言文字数", nullptr, false};
    case QuoteOrder::ByOwnChars:
      return {"本文率", "総発言文字数", "本文文字数",
              true};
    case QuoteOrder::ByQuoted:
      return {"引用率", "総発言文字数", "引用文字数",
              false};
  }
  return {};
}

}  // namespace

void AddQuoteCharts(const ReportRequest& request, const ReportData& data,
                    std::vector<Chart>& charts) {
  if (data.empty() || data[0].rows.empty()) return;
  const DataRows& table = data[0];
  const QuoteColumns columns = ColumnsOf(request.quote.order);
  const auto ratio = ColumnOf(table, columns.ratio_name);
  const auto whole = ColumnOf(table, columns.whole);
  const auto part = columns.part ? ColumnOf(table, columns.part) : std::nullopt;
  if (!ratio || !whole || (columns.part && !part)) return;

  Chart chart = MakeChart(ChartShape::StackedBars, "", "発言者", "文字数");
  chart.title = QuoteRankingTitle(request.quote.order) +
                cp932::FromUtf8(" 本文と引用の文字数 上位30名");
  ChartSeries own = NamedSeries(cp932::FromUtf8("本文文字数"));
  ChartSeries quoted = NamedSeries(cp932::FromUtf8("引用文字数"));
  const std::string ratio_name = cp932::FromUtf8(columns.ratio_name);
  for (std::size_t row = 0; row < table.rows.size() && row < kTopRows; ++row) {
    const auto& cells = table.rows[row];
    const double total = CellNumber(cells, whole);
    double quoted_chars = 0;
    if (part) {
      const double listed = CellNumber(cells, part);
      quoted_chars = columns.part_is_own ? total - listed : listed;
    } else {
      quoted_chars = std::round(total * CellNumber(cells, ratio) / 100);
    }
    chart.categories.push_back(PosterLabel(table, cells) + " " + ratio_name +
                               CellText(cells, ratio) + "%");
    own.values.push_back(total - quoted_chars);
    quoted.values.push_back(quoted_chars);
  }
  chart.series.push_back(std::move(own));
  chart.series.push_back(std::move(quoted));
  charts.push_back(std::move(chart));
}

}  // namespace tobrel
