// TChartPane: one chart of a report in the window, and its pictures. A chart
// with more categories (or heat map rows) than fit shows a window of them
// with a scroll bar beside it (along the bottom for charts whose categories
// run along the bottom), so that thousands of posters stay readable and
// quick to draw. Pictures (PNG, SVG, the clipboard's image) show the chart as
// it is shown, at its size on the screen.
#pragma once

#include <QChartView>
#include <QImage>
#include <QScrollBar>
#include <QWidget>
#include <string>

#include "output/report_charts.h"
#include "ui/charts/chart_look.h"
#include "ui/charts/qt_chart_of.h"

namespace tobrel {

class THeatMapView;

class TChartPane : public QWidget {
  Q_OBJECT

 public:
  TChartPane(Chart chart, const ChartLook& look, QWidget* parent = nullptr);

  const Chart& Value() const { return chart_; }
  // The categories (heat map: series) shown now.
  CategoryWindow Shown() const { return shown_; }
  // The Qt chart shown; nullptr for a heat map.
  QChart* QtChart() const;
  // The heat map shown; nullptr for the other shapes.
  THeatMapView* HeatMap() const { return heat_map_; }
  // The scroll bar over the categories; hidden while all of them fit.
  QScrollBar* Scroller() const { return scroller_; }

  // The chart as shown, in the screen's pixels.
  QImage Picture() const;
  // The chart as shown, as an SVG document of its size on the screen.
  std::string SvgDocument() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  bool Sideways() const;  // categories down the side (or heat map rows)
  std::size_t TotalRows() const;
  std::size_t RowsThatFit() const;
  int LabelRoom() const;
  void Redraw();
  QWidget* Drawing() const;

  Chart chart_;
  ChartLook look_;
  QChartView* view_ = nullptr;
  THeatMapView* heat_map_ = nullptr;
  QScrollBar* scroller_ = nullptr;
  std::size_t fit_ = 0;  // rows shown at the pane's size
  CategoryWindow shown_;
};

}  // namespace tobrel
