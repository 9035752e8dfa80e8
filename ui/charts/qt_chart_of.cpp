#include "ui/charts/qt_chart_of.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QBarSeries>
#include <QCategoryAxis>
#include <QHorizontalBarSeries>
#include <QHorizontalStackedBarSeries>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <set>

#include "ui/widgets/qt_text.h"

namespace tobrel {
namespace {

bool IsMarked(const Chart& chart, std::size_t index) {
  return std::find(chart.marked.begin(), chart.marked.end(), index) != chart.marked.end();
}

double BarValue(const ChartSeries& series, std::size_t index) {
  const double value = index < series.values.size() ? series.values[index] : NAN;
  return std::isnan(value) ? 0.0 : value;
}

// Qt's category axes keep one category per label: a label met again (two
// posters with one handle) gets zero-width spaces after it.
QStringList DistinctLabels(const QStringList& labels) {
  QStringList distinct;
  std::set<QString> seen;
  for (QString label : labels) {
    while (!seen.insert(label).second) label += QChar(0x200B);
    distinct << label;
  }
  return distinct;
}

// The category axis' name, with what a mark means when some category is marked.
QString CategoryAxisTitle(const Chart& chart) {
  QString title = FromCp932(chart.category_axis);
  if (!chart.marked.empty() && !chart.marked_label.empty())
    title += QStringLiteral("  (※ ") + FromCp932(chart.marked_label) + QStringLiteral(")");
  return title;
}

void StyleAxis(QAbstractAxis& axis, const QString& title, const ChartLook& look) {
  axis.setTitleText(title);
  axis.setTitleFont(look.font);
  axis.setTitleBrush(look.text);
  axis.setLabelsFont(look.font);
  axis.setLabelsColor(look.text);
  axis.setLinePenColor(look.text);
  axis.setGridLineColor(look.GridColor());
}

// A value axis from `low` to at least `high` with round steps, at most
// about six of them; whole numbers are written without decimals.
QValueAxis* ValueAxis(double low, double high, bool whole, const Chart& chart,
                      const ChartLook& look) {
  auto* axis = new QValueAxis;
  StyleAxis(*axis, FromCp932(chart.value_axis), look);
  if (!(high > low)) high = low + 1;
  const double rough = (high - low) / 5;
  const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
  double step = magnitude;
  for (const double factor : {1.0, 2.0, 5.0, 10.0})
    if (factor * magnitude >= rough) {
      step = factor * magnitude;
      break;
    }
  if (whole) step = std::max(step, 1.0);
  const double top = low + std::ceil((high - low) / step - 1e-9) * step;
  // Ranks are points, drawn whole half a rank inside the axis.
  const double pad = chart.shape == ChartShape::Lines ? 0.5 : 0.0;
  axis->setRange(low - pad, top + pad);
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(low);
  axis->setTickInterval(step);
  axis->setLabelFormat(whole && step >= 1 ? QStringLiteral("%.0f") : QStringLiteral("%g"));
  axis->setReverse(chart.value_axis_reversed);
  return axis;
}

void StyleChart(QChart& qt_chart, const Chart& chart, const ChartLook& look) {
  qt_chart.setAnimationOptions(QChart::NoAnimation);
  QString title = FromCp932(chart.title);
  // Names down the side have no axis name to tell what a mark means.
  if (chart.shape != ChartShape::Bars && chart.shape != ChartShape::Lines && !chart.marked.empty() &&
      !chart.marked_label.empty())
    title += QStringLiteral("  (※ ") + FromCp932(chart.marked_label) + QStringLiteral(")");
  qt_chart.setTitle(title);
  qt_chart.setTitleFont(look.TitleFont());
  qt_chart.setTitleBrush(look.text);
  qt_chart.setBackgroundBrush(look.background);
  qt_chart.setBackgroundRoundness(0);
  qt_chart.setMargins(QMargins(4, 4, 4, 4));
  qt_chart.legend()->setFont(look.font);
  qt_chart.legend()->setLabelColor(look.text);
  qt_chart.legend()->setVisible(chart.series.size() > 1);
  // Many names go one under another beside the chart rather than in a row
  // too long for it.
  if (chart.series.size() > 3) qt_chart.legend()->setAlignment(Qt::AlignRight);
}

// The category labels of the window along the bottom, every `step`-th one
// written, each under its bar or point (at 0, 1, ...).
QCategoryAxis* BottomCategoryAxis(const Chart& chart, CategoryWindow window, int label_room,
                                  const ChartLook& look) {
  auto* axis = new QCategoryAxis;
  StyleAxis(*axis, CategoryAxisTitle(chart), look);
  axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  const std::size_t room = static_cast<std::size_t>(std::max(label_room, 1));
  const std::size_t step = (window.count + room - 1) / room;
  QStringList labels;
  for (std::size_t i = 0; i < window.count; i += std::max<std::size_t>(step, 1))
    labels << CategoryLabel(chart, window.first + i);
  labels = DistinctLabels(labels);
  for (int k = 0; k < labels.size(); ++k)
    axis->append(labels[k], static_cast<double>(k) * static_cast<double>(std::max<std::size_t>(step, 1)));
  axis->setStartValue(-0.5);
  axis->setRange(-0.5, static_cast<double>(window.count) - 0.5);
  axis->setGridLineVisible(false);
  // Qt would cut each label to its own category's width; the thinning
  // leaves each the room of `step` categories instead.
  axis->setTruncateLabels(false);
  return axis;
}

bool AllWhole(const Chart& chart, CategoryWindow window) {
  for (const ChartSeries& series : chart.series)
    for (std::size_t i = window.first; i < window.first + window.count && i < series.values.size(); ++i)
      if (!std::isnan(series.values[i]) && series.values[i] != std::floor(series.values[i]))
        return false;
  return true;
}

std::unique_ptr<QChart> BarChart(const Chart& chart, CategoryWindow window, int label_room,
                                 const ChartLook& look) {
  const bool horizontal = chart.shape != ChartShape::Bars;
  QAbstractBarSeries* series = nullptr;
  if (chart.shape == ChartShape::HorizontalBars)
    series = new QHorizontalBarSeries;
  else if (chart.shape == ChartShape::StackedBars)
    series = new QHorizontalStackedBarSeries;
  else
    series = new QBarSeries;
  double low = 0, high = 0;
  std::vector<double> stacked(window.count, 0.0);
  for (std::size_t s = 0; s < chart.series.size(); ++s) {
    auto* set = new QBarSet(FromCp932(chart.series[s].name));
    set->setColor(ChartLook::SeriesColor(s));
    set->setBorderColor(ChartLook::SeriesColor(s));
    set->setSelectedColor(ChartLook::MarkedColor());
    for (std::size_t k = 0; k < window.count; ++k) {
      // Qt draws a horizontal bar series' first category at the bottom.
      const std::size_t i = horizontal ? window.count - 1 - k : k;
      const double value = BarValue(chart.series[s], window.first + i);
      set->append(value);
      if (IsMarked(chart, window.first + i)) set->selectBar(static_cast<int>(k));
      stacked[i] += value;
      low = std::min(low, value);
      high = std::max(high, chart.shape == ChartShape::StackedBars ? stacked[i] : value);
    }
    series->append(set);
  }
  series->setBarWidth(horizontal ? 0.8 : 0.9);
  auto qt_chart = std::make_unique<QChart>();
  StyleChart(*qt_chart, chart, look);
  qt_chart->addSeries(series);
  QValueAxis* values = ValueAxis(low, high, AllWhole(chart, window), chart, look);
  if (horizontal) {
    QStringList labels;
    for (std::size_t k = window.count; k-- > 0;) labels << CategoryLabel(chart, window.first + k);
    auto* categories = new QBarCategoryAxis;
    StyleAxis(*categories, CategoryAxisTitle(chart), look);
    categories->append(DistinctLabels(labels));
    categories->setTruncateLabels(false);  // a poster's name whole, the bars giving way
    // The names say what they are; the axis' name would lie over the longest.
    categories->setTitleVisible(false);
    categories->setGridLineVisible(false);
    qt_chart->addAxis(categories, Qt::AlignLeft);
    qt_chart->addAxis(values, Qt::AlignBottom);
    series->attachAxis(categories);
  } else {
    QCategoryAxis* categories = BottomCategoryAxis(chart, window, label_room, look);
    qt_chart->addAxis(categories, Qt::AlignBottom);
    qt_chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(categories);
  }
  series->attachAxis(values);
  return qt_chart;
}

std::unique_ptr<QChart> LineChart(const Chart& chart, CategoryWindow window, int label_room,
                                  const ChartLook& look) {
  auto qt_chart = std::make_unique<QChart>();
  StyleChart(*qt_chart, chart, look);
  QCategoryAxis* categories = BottomCategoryAxis(chart, window, label_room, look);
  double low = chart.value_axis_reversed ? 1 : 0, high = low;
  std::vector<QLineSeries*> lines;
  for (std::size_t s = 0; s < chart.series.size(); ++s) {
    const std::vector<double>& values = chart.series[s].values;
    QLineSeries* piece = nullptr;
    bool first_piece = true;
    for (std::size_t i = 0; i <= window.count; ++i) {
      const std::size_t index = window.first + i;
      const bool gap = i == window.count || index >= values.size() || std::isnan(values[index]);
      if (gap) {
        piece = nullptr;
        continue;
      }
      if (!piece) {
        piece = new QLineSeries;
        piece->setProperty("series", static_cast<qulonglong>(s));
        piece->setName(FromCp932(chart.series[s].name));
        piece->setColor(ChartLook::SeriesColor(s));
        piece->setPointsVisible(true);
        piece->setMarkerSize(5);
        lines.push_back(piece);
        piece->setProperty("first_piece", first_piece);
        first_piece = false;
      }
      piece->append(static_cast<double>(i), values[index]);
      low = std::min(low, values[index]);
      high = std::max(high, values[index]);
    }
    if (first_piece) {  // no value in the window: the legend still names it
      auto* empty = new QLineSeries;
      empty->setProperty("series", static_cast<qulonglong>(s));
      empty->setProperty("first_piece", true);
      empty->setName(FromCp932(chart.series[s].name));
      empty->setColor(ChartLook::SeriesColor(s));
      lines.push_back(empty);
    }
  }
  QValueAxis* values = ValueAxis(low, high, AllWhole(chart, window), chart, look);
  qt_chart->addAxis(categories, Qt::AlignBottom);
  qt_chart->addAxis(values, Qt::AlignLeft);
  for (QLineSeries* line : lines) {
    qt_chart->addSeries(line);
    line->attachAxis(categories);
    line->attachAxis(values);
    if (!line->property("first_piece").toBool())
      for (QLegendMarker* marker : qt_chart->legend()->markers(line)) marker->setVisible(false);
  }
  return qt_chart;
}

}  // namespace

QString CategoryLabel(const Chart& chart, std::size_t index) {
  const QString label = index < chart.categories.size() ? FromCp932(chart.categories[index]) : QString();
  return IsMarked(chart, index) ? QStringLiteral("※") + label : label;
}

std::unique_ptr<QChart> QtChartOf(const Chart& chart, CategoryWindow window, int label_room,
                                  const ChartLook& look) {
  const std::size_t total = chart.categories.size();
  window.first = std::min(window.first, total);
  window.count = std::min(window.count, total - window.first);
  switch (chart.shape) {
    case ChartShape::HorizontalBars:
    case ChartShape::StackedBars:
    case ChartShape::Bars:
      return BarChart(chart, window, label_room, look);
    case ChartShape::Lines:
      return LineChart(chart, window, label_room, look);
    case ChartShape::HeatMap:
      break;
  }
  return nullptr;
}

}  // namespace tobrel
