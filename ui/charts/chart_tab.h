// TChartTab: the charts of the last report, on the "グラフ" page beside the
// result view. A list of the charts' titles on the left chooses the one
// chart shown (ui/charts/chart_pane.h), which scrolls when the page is
// smaller than a readable chart; buttons and the chart's pop-up menu
// save it as PNG or SVG through the program's save dialog, replacing the
// file atomically, or copy its picture to the clipboard. The charts are made
// from their source only when the page is shown (or asked for), so a tally
// costs nothing more while the page stays hidden.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <vector>

#include "output/report_charts.h"
#include "ui/charts/chart_look.h"

namespace tobrel {

class TChartPane;

// Where the page's charts and their look come from.
struct ChartSource {
  std::function<std::vector<Chart>()> charts;
  std::function<ChartLook()> look;
};

class TChartTab : public QWidget {
  Q_OBJECT

 public:
  explicit TChartTab(ChartSource source, QWidget* parent = nullptr);

  // The report (or the look) changed: the charts are made again when the
  // page is next shown, at once when it shows now.
  void ReportChanged();
  // The charts, made first when the report changed since.
  const std::vector<Chart>& Charts();
  // Shows chart `index` of Charts() (the list's row).
  void ShowChart(int index);
  // The chart shown; nullptr when there is none.
  TChartPane* CurrentPane() const { return pane_; }

  // The commands, with their dialogs.
  void SaveAsPng();
  void SaveAsSvg();
  void CopyChart();
  // What the save commands do after their dialog: the chart shown written
  // to `path`. A file that cannot be written is reported in the window's
  // failure box and left as it was.
  void SavePngTo(const QString& path);
  void SaveSvgTo(const QString& path);

 signals:
  // A text for the window's status bar.
  void StatusText(const QString& text);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Rebuild();
  void SaveWithDialog(const QString& title, const QString& filter, const QString& extension,
                      void (TChartTab::*save)(const QString&));
  void WriteChartFile(const QString& path, const std::string& bytes);
  void PopupMenu(const QPoint& global);

  ChartSource source_;
  bool stale_ = true;
  std::vector<Chart> charts_;
  ChartLook look_;
  QListWidget* list_ = nullptr;
  QWidget* holder_ = nullptr;  // where the pane shown goes
  QLabel* empty_ = nullptr;
  TChartPane* pane_ = nullptr;
  QPushButton* png_button_ = nullptr;
  QPushButton* svg_button_ = nullptr;
  QPushButton* copy_button_ = nullptr;
};

}  // namespace tobrel
