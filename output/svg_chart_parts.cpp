#include "output/svg_chart_parts.h"

#include <algorithm>
#include <cmath>

#include "output/svg_text.h"
#include "platform/cp932.h"

namespace tobrel {
namespace {

constexpr const char* kPalette[] = {"#0072B2", "#E69F00", "#009E73", "#D55E00",
                                    "#CC79A7", "#56B4E9", "#7F7F7F", "#000000"};
constexpr std::size_t kColours = sizeof kPalette / sizeof kPalette[0];

CategoryLabel LabelOf(const std::string& cp932_text, bool marked, double width) {
  static const std::string kMark = cp932::FromUtf8("＊");
  const std::string text = marked ? kMark + cp932_text : cp932_text;
  const std::string cut = CutToWidth(text, width, kLabelFont);
  CategoryLabel label;
  label.text = XmlText(cut);
  if (cut != text) label.full = XmlText(text);
  label.width = TextWidth(cut, kLabelFont);
  label.marked = marked;
  return label;
}

}  // namespace

const char* SeriesColour(std::size_t series) { return kPalette[series % kColours]; }

bool SeriesDashed(std::size_t series) { return series >= kColours; }

std::vector<CategoryLabel> CategoryLabels(const Chart& chart, double width) {
  std::vector<CategoryLabel> labels;
  for (std::size_t i = 0; i < chart.categories.size(); ++i) {
    const bool marked =
        std::find(chart.marked.begin(), chart.marked.end(), i) != chart.marked.end();
    labels.push_back(LabelOf(chart.categories[i], marked, width));
  }
  return labels;
}

std::vector<CategoryLabel> SeriesLabels(const Chart& chart, double width) {
  std::vector<CategoryLabel> labels;
  for (const ChartSeries& series : chart.series) labels.push_back(LabelOf(series.name, false, width));
  return labels;
}

bool WholeValues(const Chart& chart) {
  for (const ChartSeries& series : chart.series)
    for (const double value : series.values)
      if (std::isfinite(value) && value != std::floor(value)) return false;
  return true;
}

}  // namespace tobrel
