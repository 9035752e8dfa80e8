#include "ui/charts/chart_pane.h"

#include <QBuffer>
#include <QGridLayout>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>

#include "ui/charts/heat_map_view.h"
#include "ui/widgets/qt_text.h"

namespace tobrel {

TChartPane::TChartPane(Chart chart, const ChartLook& look, QWidget* parent)
    : QWidget(parent), chart_(std::move(chart)), look_(look) {
  setObjectName("ChartPane");
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  if (chart_.shape == ChartShape::HeatMap) {
    heat_map_ = new THeatMapView(chart_, look_, this);
    grid->addWidget(heat_map_, 0, 0);
  } else {
    view_ = new QChartView(this);
    view_->setObjectName("ChartView");
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setFrameShape(QFrame::NoFrame);
    view_->setBackgroundBrush(look_.background);
    view_->setMinimumSize(160, 120);
    grid->addWidget(view_, 0, 0);
  }
  scroller_ = new QScrollBar(Sideways() ? Qt::Vertical : Qt::Horizontal, this);
  scroller_->setObjectName("ChartScroller");
  scroller_->hide();
  if (Sideways())
    grid->addWidget(scroller_, 0, 1);
  else
    grid->addWidget(scroller_, 1, 0);
  connect(scroller_, &QScrollBar::valueChanged, this, &TChartPane::Redraw);
  // Drawn once its size is known (resizeEvent): all of a large chart at once
  // would take seconds.
}

QChart* TChartPane::QtChart() const { return view_ ? view_->chart() : nullptr; }

bool TChartPane::Sideways() const { return chart_.shape != ChartShape::Bars && chart_.shape != ChartShape::Lines; }

std::size_t TChartPane::TotalRows() const {
  return chart_.shape == ChartShape::HeatMap ? chart_.series.size() : chart_.categories.size();
}

// A category down the side needs a line of text, a group of bars one bar a
// series; along the bottom, a few pixels a bar or point.
std::size_t TChartPane::RowsThatFit() const {
  const QFontMetrics metrics(look_.font);
  if (heat_map_) return static_cast<std::size_t>(heat_map_->RowsThatFit(height()));
  const int series = std::max<int>(1, static_cast<int>(chart_.series.size()));
  if (Sideways()) {
    const int bars = chart_.shape == ChartShape::HorizontalBars ? series : 1;
    const int per_row = std::max(metrics.height() + 4, bars * (metrics.height() / 2 + 2));
    // The title, the value axis' labels and name, the legend, the margins.
    const int legend = series > 1 ? metrics.height() + 8 : 0;
    const int fixed = metrics.height() * 12 / 10 + 2 * metrics.height() + legend + 40;
    return static_cast<std::size_t>(std::max(1, (height() - fixed) / per_row));
  }
  const int per_category = chart_.shape == ChartShape::Bars ? 3 * series : 6;
  const int fixed = metrics.horizontalAdvance(QStringLiteral("0000000")) + 3 * metrics.height() + 20;
  return static_cast<std::size_t>(std::max(1, (width() - fixed) / per_category));
}

// Labels along the bottom: as many as fit at the widest label's width.
int TChartPane::LabelRoom() const {
  const QFontMetrics metrics(look_.font);
  int widest = 1;
  for (std::size_t i = shown_.first; i < shown_.first + shown_.count; ++i)
    widest = std::max(widest, metrics.horizontalAdvance(CategoryLabel(chart_, i)));
  const int fixed = metrics.horizontalAdvance(QStringLiteral("0000000")) + 3 * metrics.height() + 20;
  return std::max(1, (width() - fixed) / (widest + 12));
}

void TChartPane::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const std::size_t total = TotalRows();
  const std::size_t fit = std::min(RowsThatFit(), total);
  const bool scrolls = fit < total;
  {
    const QSignalBlocker quiet(scroller_);
    scroller_->setRange(0, static_cast<int>(total - fit));
    scroller_->setPageStep(static_cast<int>(std::max<std::size_t>(fit, 1)));
    scroller_->setSingleStep(1);
  }
  fit_ = fit;
  if (scroller_->isVisibleTo(this) != scrolls) {
    scroller_->setVisible(scrolls);
    layout()->activate();  // the bar takes its room now, not after this event
  }
  Redraw();
}

void TChartPane::Redraw() {
  const std::size_t total = TotalRows();
  const std::size_t fit = std::min(fit_, total);
  const std::size_t first = std::min<std::size_t>(static_cast<std::size_t>(scroller_->value()), total - fit);
  shown_ = {first, fit};
  if (heat_map_) {
    heat_map_->ShowRows(first, fit);
    return;
  }
  std::unique_ptr<QChart> chart = QtChartOf(chart_, shown_, LabelRoom(), look_);
  QChart* old = view_->chart();
  view_->setChart(chart.release());
  // The view lets go of the chart it showed; a chart view starts with one of its own.
  delete old;
}

QWidget* TChartPane::Drawing() const {
  return heat_map_ ? static_cast<QWidget*>(heat_map_) : static_cast<QWidget*>(view_);
}

QImage TChartPane::Picture() const { return Drawing()->grab().toImage(); }

std::string TChartPane::SvgDocument() const {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(Drawing()->size());
  svg.setViewBox(QRect(QPoint(0, 0), Drawing()->size()));
  svg.setTitle(FromCp932(chart_.title));
  svg.setResolution(96);  // a pixel is a CSS pixel: browsers show it at its size on the screen
  {
    QPainter painter(&svg);
    Drawing()->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
  }
  return buffer.data().toStdString();
}

}  // namespace tobrel
