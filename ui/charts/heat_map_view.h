// THeatMapView: a heat map chart (a row per series, a column per category),
// which Qt's charts lack: a cell per value shaded from a trace of colour
// (the least value) to full colour (the greatest), with the chart's title,
// the series' names down the left, the categories along the top (every
// second, third ... one where they do not fit) and a legend of up to five
// shades with the values they stand for (whole numbers when every value is). Only a window of the rows is drawn; the
// pane around it scrolls (ui/charts/chart_pane.h). A NaN cell is left in
// the background colour.
#pragma once

#include <QWidget>
#include <cstddef>

#include "output/report_charts.h"
#include "ui/charts/chart_look.h"

namespace tobrel {

class THeatMapView : public QWidget {
  Q_OBJECT

 public:
  // `chart` must outlive the view.
  THeatMapView(const Chart& chart, const ChartLook& look, QWidget* parent = nullptr);

  // Draws the rows [first, first + count) (cut to the chart's series).
  void ShowRows(std::size_t first, std::size_t count);
  std::size_t FirstRow() const { return first_; }
  std::size_t RowCount() const { return count_; }
  // How many rows fit into `height` pixels.
  int RowsThatFit(int height) const;

  // The shade of `value`; the background colour for NaN.
  QColor ShadeOf(double value) const;
  // Where the cell of series `row` (a shown row) and category `column` is drawn.
  QRect CellRect(std::size_t row, std::size_t column) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Frame {
    QRect title, grid, legend;
    int label_width = 0;
    int row_height = 0;
    double column_width = 0;
  };
  Frame Layout() const;
  int RowHeight() const;

  const Chart& chart_;
  ChartLook look_;
  double low_ = 0, high_ = 0;
  bool whole_ = true;  // every value a whole number
  std::size_t first_ = 0, count_ = 0;
};

}  // namespace tobrel
