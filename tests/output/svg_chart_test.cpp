// The SVG drawings: text that stays valid XML whatever a handle holds, round
// ticks, labels that never overlap on a crowded axis, and whole drawings of
// the fixture's reports against reviewed golden files. Every document made
// here is kept for the markup and browser checks that run after this test.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "output/chart_scale.h"
#include "output/report_charts.h"
#include "output/svg_chart.h"
#include "output/svg_text.h"
#include "tally/report_request.h"
#include "tests/output/chart_files.h"
#include "tests/output/chart_fixture.h"

namespace tobrel {
namespace {

using testing::S;

TEST(SvgText, EscapesMarkupAndNeverGivesInvalidText) {
  const struct {
    std::string cp932;
    std::string xml;
  } cases[] = {
      {"<&>\"'", "&lt;&amp;&gt;&quot;&#39;"},
      {S("表ｶﾅ"), "表ｶﾅ"},
      {"a\tb\r\n\x01\x7F", "a b    "},              // controls XML forbids
      {"x\x82", "x\xEF\xBF\xBD"},                     // a lead byte at the end
      {"\x85\x40", "\xEF\xBF\xBD"},                   // an unassigned code
      {"\xFD\xFE\xFF", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(XmlText(c.cp932), c.xml) << c.cp932;
    std::string appended = "=";
    AppendXmlText(appended, c.cp932);
    EXPECT_EQ(appended, "=" + c.xml);
  }
  // UTF-8 that is not: cut, overlong, a surrogate, past U+10FFFF, U+FFFE.
  for (const std::string bad : {"\xE8\xA1", "\xC0\xBC", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                "\xEF\xBF\xBE"}) {
    const std::string xml = XmlTextFromUtf8(bad);
    EXPECT_NE(xml.find("\xEF\xBF\xBD"), std::string::npos);
    EXPECT_EQ(xml.find(bad), std::string::npos);
  }
}

TEST(SvgText, TextsConvertedTogetherAreEachConvertedAlone) {
  const std::vector<std::string> texts = {
      "", "plain", "x\x82", "\x82", "a\nb\r\x01", "<&>\"'", S("表ソ"), "\x80\xA0\xFD\xFE\xFF",
      "\x81\x0A", S("ｶﾅ") + "\x7F", "\x85\x40z", "\x82"};
  std::vector<std::string_view> views(texts.begin(), texts.end());
  const std::vector<std::string> together = XmlTexts(views);
  ASSERT_EQ(together.size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(together[i], XmlText(texts[i])) << i;
  EXPECT_TRUE(XmlTexts({}).empty());
}

TEST(SvgText, FiguresAndCutLabels) {
  const std::pair<double, const char*> figures[] = {
      {0, "0"}, {999, "999"}, {1234567, "1,234,567"}, {-1234, "-1,234"},
      {0.333, "0.333"}, {2.5, "2.5"}, {NAN, ""}};
  for (const auto& [value, text] : figures) EXPECT_EQ(FigureText(value), text) << value;
  // Cut on a character boundary, never inside a two-byte character.
  const std::string cut = CutToWidth(S("とても長いタイトル"), 50, 10);
  EXPECT_EQ(cut, S("とても長…"));
  EXPECT_LE(TextWidth(cut, 10), 50);
  EXPECT_EQ(CutToWidth("short", 100, 10), "short");
}

TEST(ChartScale, TicksAreRoundAndCoverTheValues) {
  const struct {
    double largest;
    bool whole;
    double low;
    std::vector<double> ticks;
  } cases[] = {
      {20, true, 0, {0, 5, 10, 15, 20}},
      {7, true, 0, {0, 2, 4, 6, 8}},
      {0, true, 0, {0, 1}},                    // nothing above zero
      {1, true, 0, {0, 1}},                    // no half postings
      {0.35, false, 0, {0, 0.1, 0.2, 0.3, 0.4}},
      {134266, true, 0, {0, 50000, 100000, 150000}},
      {36, true, 1, {1, 10, 20, 30, 40}},      // ranks: 1 stands alone
      {4, true, 1, {1, 2, 3, 4}},
  };
  for (const auto& c : cases) {
    const ValueScale scale = RoundScale(c.largest, 5, c.whole, c.low);
    ASSERT_EQ(scale.ticks.size(), c.ticks.size()) << c.largest;
    for (std::size_t i = 0; i < c.ticks.size(); ++i)
      EXPECT_NEAR(scale.ticks[i], c.ticks[i], 1e-9) << c.largest;
    EXPECT_GE(scale.high, c.largest);
    EXPECT_EQ(scale.high, c.ticks.back());
  }
}

// The x of every upright category label of a drawing.
std::vector<double> UprightLabelPositions(const std::string& svg) {
  static const std::regex kUpright(
      R"re(<text x="([0-9.]+)" y="[0-9.]+" font-size="11" text-anchor="end" transform="rotate\(-90)re");
  std::vector<double> positions;
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), kUpright); it != std::sregex_iterator();
       ++it)
    positions.push_back(std::stod((*it)[1]));
  return positions;
}

TEST(SvgChart, AThousandsOfDaysAxisWidensAndThinsItsLabels) {
  Chart chart;
  chart.shape = ChartShape::Bars;
  chart.title = S("日付別発言集計");
  ChartSeries series{S("発言数"), {}};
  for (int day = 0; day < 3000; ++day) {
    char label[16];
    std::snprintf(label, sizeof label, "%04d/%02d/%02d", 1990 + day / 365, day / 31 % 12 + 1,
                  day % 28 + 1);
    chart.categories.push_back(label);
    series.values.push_back(day % 7 == 0 ? NAN : day % 50);
  }
  chart.series.push_back(series);
  const std::string svg = SvgChartElement(chart);
  testing::KeepChartFile(svg, "many_days.svg");
  const std::vector<double> labels = UprightLabelPositions(svg);
  ASSERT_GT(labels.size(), 100u);
  ASSERT_LT(labels.size(), 3000u);
  for (std::size_t i = 1; i < labels.size(); ++i)
    EXPECT_GE(labels[i] - labels[i - 1], 11 * 1.6) << "labels " << i - 1 << " and " << i;
  // Two pixels a day at least, so no bar is lost.
  std::smatch width;
  ASSERT_TRUE(std::regex_search(svg, width, std::regex(R"re(width="([0-9.]+)")re")));
  EXPECT_GE(std::stod(width[1]), 6000);
}

TEST(SvgChart, HostileTextsAndEmptyChartsStayWellFormed) {
  // Every byte value in a handle, lone lead bytes, markup characters, NaN,
  // a series shorter than its categories, a chart without series, and one
  // with nothing at all.
  std::string every_byte;
  for (int byte = 1; byte < 256; ++byte) every_byte += static_cast<char>(byte);
  std::vector<Chart> charts;
  for (const ChartShape shape : {ChartShape::HorizontalBars, ChartShape::Bars,
                                 ChartShape::StackedBars, ChartShape::Lines, ChartShape::HeatMap}) {
    Chart chart;
    chart.shape = shape;
    chart.title = "<title>&" + every_byte;
    chart.category_axis = "\x82";
    chart.value_axis = "]]>";
    chart.categories = {"<&>\"'", every_byte, "\x81", ""};
    chart.series = {{"<&>\"'", {1, NAN, 3, -2}}, {every_byte, {2}}};
    chart.marked = {1, 7};
    chart.marked_label = "\x83";
    charts.push_back(chart);
    chart.series.clear();
    charts.push_back(chart);
    Chart empty;
    empty.shape = shape;
    charts.push_back(empty);
  }
  const std::string document = SvgChartsDocument(charts);
  testing::KeepChartFile(document, "hostile.svg");
  EXPECT_NE(document.find("&lt;&amp;&gt;&quot;&#39;"), std::string::npos);
  EXPECT_EQ(document.find("<title>&"), std::string::npos);
  EXPECT_EQ(SvgChartsDocument({}).find("<svg xmlns"), 39u);
}

struct GoldenCase {
  const char* file;
  TallyKind tally;
  int order;
};

TEST(SvgChart, TheFixtureReportsAgainstTheirGoldens) {
  static const GoldenCase cases[] = {
      {"chart_store_count.svg", TallyKind::Count, 0},
      {"chart_store_quote.svg", TallyKind::Quote, 2},
      {"chart_store_stats.svg", TallyKind::Stats, 0},
      {"chart_store_month.svg", TallyKind::Month, 0},
  };
  for (const GoldenCase& c : cases) {
    LogStore store = testing::ChartStore();
    ReportRequest request;
    request.tally = c.tally;
    request.count.order = static_cast<CountOrder>(c.order);
    request.count.time_tables = {true, false, false, true, true, false};  // date, weekday, ID
    request.quote.order = static_cast<QuoteOrder>(c.order);
    request.stats.title_list = true;
    request.stats.missing_numbers = true;
    request.settings.target.last_number = "7";
    request.month.kind = static_cast<MonthKind>(c.order);
    request.month.range = {{1998, 10}, {1999, 1}};
    TallyProgress progress;
    ReportData data;
    MakeReport(store, request, progress, &data);
    testing::ExpectChartGolden(SvgChartsDocument(ReportCharts(request, data)), c.file);
  }
}

}  // namespace
}  // namespace tobrel
