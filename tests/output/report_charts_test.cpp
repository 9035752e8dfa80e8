// Every chart of every report, order and kind checked against the numbers
// of the report's own tables as the tab-separated export writes them: the
// checker below reads those rows by their column names, apart from the
// chart builders, and says which chart each table should give.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

#include "output/report_charts.h"
#include "platform/cp932.h"
#include "tally/report_request.h"
#include "tally/tsv_text.h"
#include "tests/output/chart_fixture.h"

namespace tobrel {
namespace {

// A table of the export: its header, then its rows, cells in UTF-8.
using Table = std::vector<std::vector<std::string>>;

std::vector<Table> ParseTsv(const std::string& document) {
  std::vector<Table> tables(1);
  std::istringstream lines(document);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty()) {
      tables.emplace_back();
      continue;
    }
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
      cells.push_back(line.substr(start, tab - start));
    cells.push_back(line.substr(start));
    tables.back().push_back(std::move(cells));
  }
  return tables;
}

std::size_t Col(const Table& table, const std::string& name) {
  for (std::size_t i = 0; i < table[0].size(); ++i)
    if (table[0][i] == name) return i;
  ADD_FAILURE() << "no column " << name;
  return 0;
}

bool Has(const Table& table, const std::string& name) {
  return std::find(table[0].begin(), table[0].end(), name) != table[0].end();
}

double Num(const std::vector<std::string>& row, std::size_t column) {
  if (column >= row.size() || row[column].empty()) return NAN;
  return std::stod(row[column]);
}

std::string Poster(const Table& table, const std::vector<std::string>& row) {
  const std::string handle = row[Col(table, "ハンドル")];
  return Has(table, "ID") ? handle + " (" + row[Col(table, "ID")] + ")" : handle;
}

// What a chart should hold, texts in UTF-8.
struct Expected {
  ChartShape shape;
  std::vector<std::string> categories;
  std::vector<std::pair<std::string, std::vector<double>>> series;
  std::vector<std::size_t> marked;
  bool reversed = false;
  std::size_t table = 0;  // the table it is drawn from
};

Expected Ranking(const Table& table, const std::string& key, bool with_rest) {
  Expected chart{ChartShape::HorizontalBars, {}, {{key, {}}}, {}};
  double rest = 0;
  for (std::size_t i = 1; i < table.size(); ++i) {
    const double value = Num(table[i], Col(table, key));
    if (i <= 30) {
      chart.categories.push_back(Poster(table, table[i]));
      chart.series[0].second.push_back(value);
    } else if (!std::isnan(value)) {
      rest += value;
    }
  }
  if (with_rest && table.size() > 31) {
    chart.categories.push_back("その他");
    chart.series[0].second.push_back(rest);
  }
  return chart;
}

Expected Period(const Table& table) {
  Expected chart{ChartShape::Bars, {}, {{"発言数", {}}}, {}};
  for (std::size_t i = 1; i < table.size(); ++i) {
    chart.categories.push_back(table[i][0]);
    chart.series[0].second.push_back(Num(table[i], Col(table, "発言数")));
  }
  return chart;
}

Expected HourHeat(const Table& table, bool posters) {
  Expected chart{ChartShape::HeatMap, {}, {}, {}};
  for (int hour = 0; hour < 24; ++hour) chart.categories.push_back(std::to_string(hour));
  for (std::size_t i = 1; i < table.size(); ++i) {
    std::vector<double> values;
    for (int hour = 0; hour < 24; ++hour)
      values.push_back(Num(table[i], Col(table, std::to_string(hour))));
    chart.series.push_back({posters ? Poster(table, table[i]) : table[i][0], values});
  }
  return chart;
}

std::vector<Expected> CountCharts(const ReportRequest& request, const std::vector<Table>& tables) {
  std::vector<Expected> charts;
  const bool by_postings = request.count.order == CountOrder::ByPostings ||
                           request.count.order == CountOrder::ByPostingsCumulative;
  if (tables[0].size() > 1)
    charts.push_back(Ranking(tables[0], by_postings ? "発言数" : "発言文字数", true));
  for (std::size_t t = 2; t < tables.size(); ++t) {
    const Table& table = tables[t];
    if (table.size() < 2) continue;
    const std::string& first = table[0][0];
    if (first == "日付" || first == "年月" || first == "時" ||
        (first == "曜日" && table[0].size() == 2))
      charts.push_back(Period(table));
    else
      charts.push_back(HourHeat(table, first == "ID"));
    charts.back().table = t;
  }
  return charts;
}

std::vector<Expected> QuoteCharts(const ReportRequest& request, const std::vector<Table>& tables) {
  const Table& table = tables[0];
  if (table.size() < 2) return {};
  Expected chart{ChartShape::StackedBars, {}, {{"本文文字数", {}}, {"引用文字数", {}}}, {}};
  const QuoteOrder order = request.quote.order;
  const std::string ratio = order == QuoteOrder::ByOwnChars ? "本文率" : "引用率";
  for (std::size_t i = 1; i < table.size() && i <= 30; ++i) {
    const auto& row = table[i];
    double own = 0, quoted = 0;
    if (order == QuoteOrder::ByOwnChars) {
      own = Num(row, Col(table, "本文文字数"));
      quoted = Num(row, Col(table, "総発言文字数")) - own;
    } else if (order == QuoteOrder::ByQuoted) {
      quoted = Num(row, Col(table, "引用文字数"));
      own = Num(row, Col(table, "総発言文字数")) - quoted;
    } else {
      const double total = Num(row, Col(table, "発言文字数"));
      quoted = std::round(total * Num(row, Col(table, "引用率")) / 100);
      own = total - quoted;
    }
    chart.categories.push_back(Poster(table, row) + " " + ratio + row[Col(table, ratio)] + "%");
    chart.series[0].second.push_back(own);
    chart.series[1].second.push_back(quoted);
  }
  return {chart};
}

std::vector<Expected> CommentCharts(const ReportRequest& request,
                                    const std::vector<Table>& tables) {
  const Table& table = tables[0];
  if (table.size() < 2) return {};
  switch (request.comment.order) {
    case CommentOrder::ByCommentSum:
      return {Ranking(table, "コメント数", false)};
    case CommentOrder::ByCommentRate:
      return {Ranking(table, "平均コメント数", false)};
    case CommentOrder::ByPosting:
      break;
  }
  Expected chart{ChartShape::HorizontalBars, {}, {{"コメント数", {}}}, {}};
  for (std::size_t i = 1; i < table.size() && i <= 30; ++i) {
    const auto& row = table[i];
    chart.categories.push_back(row[Col(table, "会議室")] + "-" + row[Col(table, "番号")] + " " +
                               row[Col(table, "タイトル")]);
    chart.series[0].second.push_back(Num(row, Col(table, "コメント数")));
  }
  return {chart};
}

std::vector<Expected> StatsCharts(const std::vector<Table>& tables) {
  std::vector<Expected> charts;
  const Table* missing = nullptr;
  for (const Table& table : tables)
    if (Has(table, "欠番開始")) missing = &table;
  for (std::size_t t = 0; t < tables.size(); ++t) {
    const Table& table = tables[t];
    if (table.size() < 2) continue;
    if (Has(table, "最小番号")) {
      Expected chart{ChartShape::Bars, {}, {{"発言総数", {}}}, {}};
      for (std::size_t i = 1; i < table.size(); ++i) {
        const std::string room = table[i][Col(table, "会議室")];
        for (std::size_t g = 1; missing && g < missing->size(); ++g)
          if ((*missing)[g][0] == room) {
            chart.marked.push_back(i - 1);
            break;
          }
        chart.categories.push_back(room);
        chart.series[0].second.push_back(Num(table[i], Col(table, "発言総数")));
      }
      chart.table = t;
      charts.push_back(chart);
    } else if (Has(table, "題名")) {
      std::map<std::string, std::map<std::string, double>> counts;
      std::map<std::string, int> seen_month;
      for (std::size_t i = 1; i < table.size(); ++i) {
        const std::string month = table[i][Col(table, "登録日時")].substr(0, 7);
        counts["会議室" + table[i][Col(table, "会議室")]][month] += 1;
        seen_month[month] = 1;
      }
      Expected chart{ChartShape::HeatMap, {}, {}, {}};
      // The fixture's months follow each other, so the months seen are all.
      for (const auto& month : seen_month) chart.categories.push_back(month.first);
      for (const auto& [room, months] : counts) {
        std::vector<double> values;
        for (const auto& month : chart.categories)
          values.push_back(months.count(month) ? months.at(month) : 0);
        chart.series.push_back({room, values});
      }
      chart.table = t;
      charts.push_back(chart);
    }
  }
  return charts;
}

std::vector<Expected> MonthCharts(const ReportRequest& request, const std::vector<Table>& tables,
                                  const std::vector<std::string>& months) {
  if (request.month.kind == MonthKind::OneId) {
    if (tables.empty() || tables[0].size() < 2) return {};
    const Table& table = tables[0];
    auto of = [&table](ChartShape shape, std::vector<std::string> names, bool reversed) {
      Expected chart{shape, {}, {}, {}, reversed};
      for (std::size_t i = 1; i < table.size(); ++i) chart.categories.push_back(table[i][0]);
      for (const auto& name : names) {
        std::vector<double> values;
        for (std::size_t i = 1; i < table.size(); ++i) values.push_back(Num(table[i], Col(table, name)));
        chart.series.push_back({name, values});
      }
      return chart;
    };
    return {of(ChartShape::Bars, {"発言数"}, false), of(ChartShape::Bars, {"発言文字数"}, false),
            of(ChartShape::Lines, {"発言数順位", "文字数順位"}, true)};
  }
  const std::string key = request.month.kind == MonthKind::ByPostings ? "発言数" : "発言文字数";
  // Each poster's sum over the range, in order of first appearance.
  std::vector<std::pair<std::string, double>> sums;
  std::map<std::string, std::string> labels;
  for (const Table& table : tables) {
    for (std::size_t i = 1; i < table.size(); ++i) {
      const std::string who = table[i][Col(table, Has(table, "ID") ? "ID" : "ハンドル")];
      auto found = std::find_if(sums.begin(), sums.end(), [&](auto& s) { return s.first == who; });
      if (found == sums.end()) {
        sums.push_back({who, 0});
        found = sums.end() - 1;
        labels[who] = Poster(table, table[i]);
      }
      found->second += Num(table[i], Col(table, key));
    }
  }
  if (sums.empty()) return {};
  std::stable_sort(sums.begin(), sums.end(), [](auto& a, auto& b) { return a.second > b.second; });
  if (sums.size() > 10) sums.resize(10);
  Expected chart{ChartShape::Lines, months, {}, {}, true};
  for (const auto& [who, sum] : sums) {
    std::vector<double> ranks(months.size(), NAN);
    for (const Table& table : tables)
      for (std::size_t i = 1; i < table.size(); ++i)
        if (table[i][Col(table, Has(table, "ID") ? "ID" : "ハンドル")] == who)
          ranks[std::find(months.begin(), months.end(), table[i][0]) - months.begin()] =
              Num(table[i], Col(table, "順位"));
    chart.series.push_back({labels[who], ranks});
  }
  return {chart};
}

bool SameValue(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

void ExpectCharts(const std::vector<Expected>& expected, const std::vector<Chart>& charts,
                  const std::string& what) {
  ASSERT_EQ(charts.size(), expected.size()) << what;
  for (std::size_t c = 0; c < charts.size(); ++c) {
    const Chart& chart = charts[c];
    const Expected& want = expected[c];
    SCOPED_TRACE(what + ", chart " + std::to_string(c) + " " + cp932::ToUtf8(chart.title));
    EXPECT_FALSE(chart.title.empty());
    EXPECT_FALSE(chart.value_axis.empty());
    EXPECT_EQ(chart.shape, want.shape);
    std::vector<std::string> categories;
    for (const auto& category : chart.categories) categories.push_back(cp932::ToUtf8(category));
    EXPECT_EQ(categories, want.categories);
    ASSERT_EQ(chart.series.size(), want.series.size());
    for (std::size_t s = 0; s < chart.series.size(); ++s) {
      EXPECT_EQ(cp932::ToUtf8(chart.series[s].name), want.series[s].first);
      ASSERT_EQ(chart.series[s].values.size(), want.series[s].second.size());
      for (std::size_t v = 0; v < chart.series[s].values.size(); ++v)
        EXPECT_PRED2(SameValue, chart.series[s].values[v], want.series[s].second[v])
            << "series " << s << " value " << v;
    }
    EXPECT_EQ(chart.marked, want.marked);
    EXPECT_EQ(chart.value_axis_reversed, want.reversed);
    EXPECT_EQ(chart.table, want.table);
  }
}

struct ChartCase {
  const char* name;
  bool many_posters;  // the 120 posters of ManySmallPosters, else ChartStore
  TallyKind tally;
  int order;  // the order, kind or title form
  bool hide_ids = false;
  bool top100 = false;
};

ReportRequest RequestOf(const ChartCase& c) {
  ReportRequest request;
  request.tally = c.tally;
  request.settings.hide_ids = c.hide_ids;
  request.settings.top100_only = c.top100;
  request.count.order = static_cast<CountOrder>(c.order);
  request.count.time_tables = {true, true, true, true, true, true};
  request.quote.order = static_cast<QuoteOrder>(c.order);
  request.comment.order = static_cast<CommentOrder>(c.order);
  request.comment.limit = CommentLimit::All;
  request.stats.title_list = true;
  request.stats.title_form = static_cast<TitleListForm>(c.order);
  request.stats.missing_numbers = true;
  request.settings.target.last_number = "7";
  request.month.kind = static_cast<MonthKind>(c.order);
  request.month.range = c.many_posters ? MonthRange{{1997, 12}, {1998, 1}}
                                       : MonthRange{{1998, 10}, {1998, 12}};
  request.month.target_id = "DEF00002";
  if (c.many_posters) request.settings.target.last_number = "65000";
  return request;
}

// A table whose figures are all zero (the hour tables of an empty range)
// gives no chart.
std::vector<Expected> Drawable(std::vector<Expected> charts) {
  std::erase_if(charts, [](const Expected& chart) {
    for (const auto& series : chart.series)
      for (const double value : series.second)
        if (value > 0) return false;
    return true;
  });
  return charts;
}

std::vector<Expected> ChartsOfTables(const ReportRequest& request, const ReportData& data) {
  const std::vector<Table> tables = ParseTsv(TsvDocument(data));
  switch (request.tally) {
    case TallyKind::Count:
      return CountCharts(request, tables);
    case TallyKind::Quote:
      return QuoteCharts(request, tables);
    case TallyKind::Comment:
      return CommentCharts(request, tables);
    case TallyKind::Stats:
      return StatsCharts(tables);
    case TallyKind::Month: {
      std::vector<std::string> months;
      for (const YearMonth& month : MonthsOfRange(request.month.range))
        months.push_back(MonthLabel(month));
      return MonthCharts(request, tables, months);
    }
  }
  return {};
}

TEST(ReportCharts, EveryChartHoldsTheNumbersOfItsTable) {
  static const ChartCase cases[] = {
      {"count 0", false, TallyKind::Count, 0},
      {"count 1 no IDs", false, TallyKind::Count, 1, true},
      {"count 2", false, TallyKind::Count, 2},
      {"count 3", false, TallyKind::Count, 3},
      {"count 0, 120 posters", true, TallyKind::Count, 0},
      {"count 3, 120 posters, top 100", true, TallyKind::Count, 3, false, true},
      {"count 1, 120 posters, top 100, no IDs", true, TallyKind::Count, 1, true, true},
      {"quote 0", false, TallyKind::Quote, 0},
      {"quote 1, 120 posters", true, TallyKind::Quote, 1},
      {"quote 2 no IDs", false, TallyKind::Quote, 2, true},
      {"quote 3", false, TallyKind::Quote, 3},
      {"comment 0", false, TallyKind::Comment, 0},
      {"comment 1 no IDs", false, TallyKind::Comment, 1, true},
      {"comment 2", false, TallyKind::Comment, 2},
      {"stats 0", false, TallyKind::Stats, 0},
      {"stats 1", false, TallyKind::Stats, 1},
      {"month 0", false, TallyKind::Month, 0},
      {"month 1 no IDs", false, TallyKind::Month, 1, true},
      {"month 0, 120 posters", true, TallyKind::Month, 0},
      {"month 2", false, TallyKind::Month, 2},
  };
  for (const ChartCase& c : cases) {
    LogStore store = c.many_posters ? testing::ManySmallPosters() : testing::ChartStore();
    const ReportRequest request = RequestOf(c);
    TallyProgress progress;
    ReportData data;
    MakeReport(store, request, progress, &data);
    const std::vector<Chart> charts = ReportCharts(request, data);
    EXPECT_FALSE(charts.empty()) << c.name;
    ExpectCharts(Drawable(ChartsOfTables(request, data)), charts, c.name);
  }
}

TEST(ReportCharts, RankingShowsTheTop30AndSumsTheRest) {
  LogStore store = testing::ManySmallPosters();
  ReportRequest request;
  request.settings.target.last_number = "65000";
  TallyProgress progress;
  ReportData data;
  MakeReport(store, request, progress, &data);
  const Chart chart = ReportCharts(request, data).at(0);
  ASSERT_EQ(chart.categories.size(), 31u);
  EXPECT_EQ(cp932::ToUtf8(chart.categories[30]), "その他");
  double all = 0;
  for (const double value : chart.series[0].values) all += value;
  EXPECT_EQ(all, static_cast<double>(store.Postings.size()));
}

TEST(ReportCharts, NoRowsGiveNoCharts) {
  for (const TallyKind tally : {TallyKind::Count, TallyKind::Quote, TallyKind::Comment,
                                TallyKind::Stats, TallyKind::Month}) {
    ReportRequest request;
    request.tally = tally;
    request.count.time_tables = {true, true, true, true, true, true};
    request.stats.title_list = true;
    request.month.range = {{1990, 1}, {1990, 6}};
    EXPECT_TRUE(ReportCharts(request, {}).empty());
    // A target range that holds no posting: tables with headers only.
    LogStore store = testing::ChartStore();
    request.settings.target.first_number = "100";
    request.settings.target.last_number = "200";
    TallyProgress progress;
    ReportData data;
    MakeReport(store, request, progress, &data);
    EXPECT_TRUE(ReportCharts(request, data).empty()) << static_cast<int>(tally);
  }
  // One ID that the logs do not hold.
  LogStore store = testing::ChartStore();
  ReportRequest request;
  request.tally = TallyKind::Month;
  request.month = {MonthKind::OneId, {{1998, 11}, {1998, 12}}, "XYZ99999"};
  TallyProgress progress;
  ReportData data;
  MakeReport(store, request, progress, &data);
  EXPECT_TRUE(ReportCharts(request, data).empty());
}

}  // namespace
}  // namespace tobrel
