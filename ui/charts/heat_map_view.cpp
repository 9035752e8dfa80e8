#include "ui/charts/heat_map_view.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/widgets/qt_text.h"

namespace tobrel {
namespace {

constexpr int kMargin = 6;
constexpr int kShades = 5;

QColor Mix(const QColor& from, const QColor& to, double share) {
  const auto mix = [share](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * share)); };
  return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()),
                mix(from.blue(), to.blue()));
}

QString NumberText(double value) {
  return value == std::floor(value) ? QString::number(value, 'f', 0) : QString::number(value, 'g', 4);
}

}  // namespace

THeatMapView::THeatMapView(const Chart& chart, const ChartLook& look, QWidget* parent)
    : QWidget(parent), chart_(chart), look_(look) {
  setObjectName("HeatMap");
  setFont(look.font);
  bool any = false;
  for (const ChartSeries& series : chart_.series)
    for (const double value : series.values) {
      if (std::isnan(value)) continue;
      whole_ = whole_ && value == std::floor(value);
      low_ = any ? std::min(low_, value) : value;
      high_ = any ? std::max(high_, value) : value;
      any = true;
    }
  low_ = std::min(low_, 0.0);
  setMinimumSize(120, 120);
  ShowRows(0, chart_.series.size());
}

void THeatMapView::ShowRows(std::size_t first, std::size_t count) {
  first_ = std::min(first, chart_.series.size());
  count_ = std::min(count, chart_.series.size() - first_);
  update();
}

int THeatMapView::RowHeight() const { return fontMetrics().height() + 4; }

int THeatMapView::RowsThatFit(int height) const {
  const int title = QFontMetrics(look_.TitleFont()).height();
  // What Layout() puts above and below the grid.
  const int fixed = 2 * kMargin + title + 3 * fontMetrics().height() + 20;
  return std::max(1, (height - fixed) / RowHeight());
}

THeatMapView::Frame THeatMapView::Layout() const {
  Frame frame;
  const QFontMetrics metrics = fontMetrics();
  const int title_height = QFontMetrics(look_.TitleFont()).height();
  frame.title = QRect(kMargin, kMargin, width() - 2 * kMargin, title_height);
  for (std::size_t row = first_; row < first_ + count_; ++row)
    frame.label_width =
        std::max(frame.label_width, metrics.horizontalAdvance(FromCp932(chart_.series[row].name)));
  frame.label_width = std::min(frame.label_width + 6, width() / 3);
  frame.row_height = RowHeight();
  // The category axis' name and the column labels above the grid.
  const int top = frame.title.bottom() + 4 + 2 * (metrics.height() + 2);
  const int left = kMargin + frame.label_width;
  const int columns = std::max<int>(1, static_cast<int>(chart_.categories.size()));
  frame.column_width = std::max(1.0, double(width() - kMargin - left) / columns);
  frame.grid = QRect(left, top, static_cast<int>(frame.column_width * columns),
                     frame.row_height * static_cast<int>(count_));
  frame.legend = QRect(kMargin, frame.grid.bottom() + 8, width() - 2 * kMargin, metrics.height() + 4);
  return frame;
}

QColor THeatMapView::ShadeOf(double value) const {
  if (std::isnan(value)) return look_.background;
  // The least value keeps a trace of colour, so that it differs from a cell
  // without a value.
  const double share = high_ > low_ ? (value - low_) / (high_ - low_) : 1.0;
  return Mix(look_.background, ChartLook::SeriesColor(0), 0.08 + 0.92 * std::clamp(share, 0.0, 1.0));
}

QRect THeatMapView::CellRect(std::size_t row, std::size_t column) const {
  const Frame frame = Layout();
  const int x0 = frame.grid.left() + static_cast<int>(std::lround(frame.column_width * column));
  const int x1 = frame.grid.left() + static_cast<int>(std::lround(frame.column_width * (column + 1)));
  const int y = frame.grid.top() + frame.row_height * static_cast<int>(row - first_);
  return QRect(x0, y, x1 - x0, frame.row_height);
}

void THeatMapView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), look_.background);
  const Frame frame = Layout();
  const QFontMetrics metrics = fontMetrics();
  painter.setPen(look_.text);
  painter.setFont(look_.TitleFont());
  painter.drawText(frame.title, Qt::AlignCenter, FromCp932(chart_.title));
  painter.setFont(font());

  painter.drawText(QRect(frame.grid.left(), frame.title.bottom() + 4, frame.grid.width(), metrics.height()),
                   Qt::AlignCenter, FromCp932(chart_.category_axis));
  // Column labels above the grid, as many as fit side by side.
  int widest = 1;
  for (const std::string& category : chart_.categories)
    widest = std::max(widest, metrics.horizontalAdvance(FromCp932(category)));
  const std::size_t step = std::max<std::size_t>(
      1, static_cast<std::size_t>(std::ceil((widest + 6) / frame.column_width)));
  for (std::size_t column = 0; column < chart_.categories.size(); column += step) {
    const QRect cell = CellRect(first_, column);
    const QRect label(cell.center().x() - widest, frame.grid.top() - metrics.height() - 2,
                      2 * widest, metrics.height());
    painter.drawText(label, Qt::AlignCenter, FromCp932(chart_.categories[column]));
  }

  for (std::size_t row = first_; row < first_ + count_; ++row) {
    const QRect name(kMargin, CellRect(row, 0).top(), frame.label_width - 6, frame.row_height);
    painter.drawText(name, Qt::AlignRight | Qt::AlignVCenter,
                     metrics.elidedText(FromCp932(chart_.series[row].name), Qt::ElideRight, name.width()));
    const std::vector<double>& values = chart_.series[row].values;
    for (std::size_t column = 0; column < chart_.categories.size(); ++column) {
      const double value = column < values.size() ? values[column] : NAN;
      painter.fillRect(CellRect(row, column), ShadeOf(value));
    }
  }
  // Grid lines between the cells, where they are wide enough to leave room.
  painter.setPen(look_.GridColor());
  painter.setBrush(Qt::NoBrush);
  if (frame.column_width >= 4)
    for (std::size_t column = 1; column < chart_.categories.size(); ++column) {
      const int x = CellRect(first_, column).left();
      painter.drawLine(x, frame.grid.top(), x, frame.grid.bottom());
    }
  for (std::size_t row = first_ + 1; row < first_ + count_; ++row) {
    const int y = CellRect(row, 0).top();
    painter.drawLine(frame.grid.left(), y, frame.grid.right(), y);
  }
  painter.drawRect(frame.grid.adjusted(0, 0, -1, -1));

  // The legend: the value axis' name, then five shades with the values they start at.
  painter.setPen(look_.text);
  int x = frame.legend.left();
  const QString name = FromCp932(chart_.value_axis);
  if (!name.isEmpty()) {
    painter.drawText(QRect(x, frame.legend.top(), metrics.horizontalAdvance(name) + 2,
                           frame.legend.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, name);
    x += metrics.horizontalAdvance(name) + 10;
  }
  double last = NAN;
  for (int shade = 0; shade < kShades; ++shade) {
    double value = low_ + (high_ - low_) * shade / (kShades - 1);
    if (whole_) value = std::round(value);  // counts: no shade for half a posting
    if (value == last) continue;
    last = value;
    const QRect swatch(x, frame.legend.top() + 2, frame.legend.height() - 4, frame.legend.height() - 4);
    painter.fillRect(swatch, ShadeOf(value));
    painter.setPen(look_.GridColor());
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    painter.setPen(look_.text);
    const QString text = NumberText(value);
    const int text_width = metrics.horizontalAdvance(text) + 2;
    painter.drawText(QRect(swatch.right() + 4, frame.legend.top(), text_width, frame.legend.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text);
    x = swatch.right() + 4 + text_width + 10;
  }
}

}  // namespace tobrel
