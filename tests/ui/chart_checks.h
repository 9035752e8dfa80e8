// Test helper: whether the chart pane draws what its chart value holds, for
// the window of categories it shows. Bars: one set per series, named as it,
// each bar the value of its category (NaN as 0; horizontal bars from the
// last category up), marked categories' bars selected, every category label
// (or, along the bottom, each label written) that of its category. Lines:
// the points of each series are its values, NaN left out, and the legend
// names each series once. Heat map: the centre of each cell shown has the
// shade of its value.
#pragma once

#include <QAbstractBarSeries>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <algorithm>
#include <cmath>
#include <map>

#include "ui/charts/chart_pane.h"
#include "ui/charts/heat_map_view.h"
#include "ui/widgets/qt_text.h"

namespace tobrel::testing {

// The first difference found, or an empty text when there is none.
inline QString ChartMismatch(const TChartPane& pane) {
  const Chart& chart = pane.Value();
  const CategoryWindow shown = pane.Shown();
  const auto is_marked = [&](std::size_t i) {
    return std::count(chart.marked.begin(), chart.marked.end(), i) > 0;
  };
  const auto value_of = [&](std::size_t series, std::size_t i) {
    const std::vector<double>& values = chart.series[series].values;
    return i < values.size() ? values[i] : NAN;
  };
  const auto where = [&](std::size_t series, std::size_t i) {
    return QStringLiteral("%1, series %2, category %3: ").arg(FromCp932(chart.title)).arg(series).arg(i);
  };

  if (chart.shape == ChartShape::HeatMap) {
    const QImage picture = pane.Picture();
    const qreal ratio = picture.devicePixelRatio();
    for (std::size_t row = shown.first; row < shown.first + shown.count; ++row)
      for (std::size_t column = 0; column < chart.categories.size(); ++column) {
        const QPoint centre = pane.HeatMap()->CellRect(row, column).center() * ratio;
        if (picture.pixelColor(centre) != pane.HeatMap()->ShadeOf(value_of(row, column)))
          return where(row, column) + QStringLiteral("shade");
      }
    return {};
  }

  QChart* qt_chart = pane.QtChart();
  if (!qt_chart->title().startsWith(FromCp932(chart.title))) return QStringLiteral("title ") + qt_chart->title();
  if (chart.shape == ChartShape::Lines) {
    std::map<std::size_t, std::map<std::size_t, double>> points;
    for (QAbstractSeries* series : qt_chart->series()) {
      auto* line = qobject_cast<QLineSeries*>(series);
      const std::size_t s = line->property("series").toULongLong();
      if (line->name() != FromCp932(chart.series[s].name)) return QStringLiteral("name ") + line->name();
      for (const QPointF& point : line->points())
        points[s][shown.first + static_cast<std::size_t>(qRound(point.x()))] = point.y();
    }
    int named = 0;
    for (QLegendMarker* marker : qt_chart->legend()->markers()) named += marker->isVisible();
    if (named != static_cast<int>(chart.series.size())) return QStringLiteral("legend");
    for (std::size_t s = 0; s < chart.series.size(); ++s)
      for (std::size_t i = shown.first; i < shown.first + shown.count; ++i) {
        const double value = value_of(s, i);
        const auto point = points[s].find(i);
        if (std::isnan(value) ? point != points[s].end() : point == points[s].end() || point->second != value)
          return where(s, i) + QStringLiteral("point");
      }
    return {};
  }

  const bool upwards = chart.shape != ChartShape::Bars;
  const auto category_of = [&](std::size_t bar) {
    return shown.first + (upwards ? shown.count - 1 - bar : bar);
  };
  const auto label_of = [&](std::size_t i) {
    return (is_marked(i) ? QStringLiteral("※") : QString()) + FromCp932(chart.categories[i]);
  };
  const auto plain = [](QString label) { return label.remove(QChar(0x200B)); };
  auto* bars = qobject_cast<QAbstractBarSeries*>(qt_chart->series().value(0));
  if (!bars || bars->count() != static_cast<int>(chart.series.size())) return QStringLiteral("bar sets");
  for (std::size_t s = 0; s < chart.series.size(); ++s) {
    QBarSet* set = bars->barSets()[static_cast<int>(s)];
    if (set->label() != FromCp932(chart.series[s].name)) return QStringLiteral("name ") + set->label();
    if (set->count() != static_cast<int>(shown.count)) return QStringLiteral("bar count");
    for (std::size_t bar = 0; bar < shown.count; ++bar) {
      const double value = value_of(s, category_of(bar));
      if (set->at(static_cast<int>(bar)) != (std::isnan(value) ? 0.0 : value))
        return where(s, category_of(bar)) + QStringLiteral("value");
      if (set->isBarSelected(static_cast<int>(bar)) != is_marked(category_of(bar)))
        return where(s, category_of(bar)) + QStringLiteral("mark");
    }
  }
  if (auto* axis = qobject_cast<QBarCategoryAxis*>(qt_chart->axes(Qt::Vertical).value(0))) {
    if (axis->count() != static_cast<int>(shown.count)) return QStringLiteral("label count");
    for (std::size_t bar = 0; bar < shown.count; ++bar)
      if (plain(axis->at(static_cast<int>(bar))) != label_of(category_of(bar)))
        return where(0, category_of(bar)) + QStringLiteral("label ") + axis->at(static_cast<int>(bar));
    return {};
  }
  auto* bottom = qobject_cast<QCategoryAxis*>(qt_chart->axes(Qt::Horizontal).value(0));
  if (!bottom || (shown.count > 0 && bottom->count() == 0)) return QStringLiteral("bottom labels");
  for (const QString& label : bottom->categoriesLabels())
    if (plain(label) != label_of(shown.first + static_cast<std::size_t>(qRound(bottom->endValue(label)))))
      return QStringLiteral("label ") + label;
  return {};
}

// The labels of the Qt chart's axes that Qt had to cut short (none for a heat map).
inline QStringList CutChartLabels(const TChartPane& pane) {
  QStringList cut;
  if (QChart* chart = pane.QtChart())
    for (QAbstractAxis* axis : chart->axes())
      if (axis->labelsTruncated()) cut << QStringLiteral("cut labels: ") + axis->titleText();
  return cut;
}

}  // namespace tobrel::testing
