// The chart page on hand-made charts of every shape: the Qt charts hold the
// chart values (names, values, categories, marks, gaps, reversed ranks), the
// heat map's cells carry the shades of their values, a chart larger than the
// pane scrolls through windows of its categories, pictures are saved as PNG
// and SVG and copied, and each shape renders whole (pictures in the build
// folder, at scale 1 and 1.5).
#include <QAbstractBarSeries>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QClipboard>
#include <QLegendMarker>
#include <QMenu>
#include <QTimer>
#include <QLineSeries>
#include <QMessageBox>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>
#include <map>

#include "chart_checks.h"
#include "dialog_checks.h"
#include "modal_script.h"
#include "support/sjis.h"
#include "ui/charts/chart_pane.h"
#include "ui/charts/chart_tab.h"
#include "ui/charts/heat_map_view.h"
#include "ui/dialogs/text_file_dialog.h"
#include "ui/widgets/qt_text.h"

using namespace tobrel;
using tobrel::testing::ChartMismatch;
using tobrel::testing::ChooseFile;
using tobrel::testing::ModalScript;
using tobrel::testing::NoteText;
using tobrel::testing::S;
using tobrel::testing::SaveAndCheck;

namespace {

Chart Made(ChartShape shape, const char* title, std::vector<std::string> categories,
           std::vector<ChartSeries> series) {
  Chart chart;
  chart.shape = shape;
  chart.title = S(title);
  chart.category_axis = S("項目");
  chart.value_axis = S("発言数");
  for (std::string& category : categories) chart.categories.push_back(S(category));
  for (ChartSeries& one : series) one.name = S(one.name);
  chart.series = std::move(series);
  return chart;
}

std::vector<std::string> Numbered(const char* prefix, int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    std::string name = prefix;
    name += std::to_string(i + 1);
    names.push_back(name);
  }
  return names;
}

// One chart of each shape, with what each must show: two posters of one
// handle, a marked room, gaps in ranks, an empty cell.
std::vector<Chart> Fixtures() {
  std::vector<Chart> charts;
  charts.push_back(Made(ChartShape::HorizontalBars, "発言数順位",
                        {"山田太郎", "鈴木花子", "山田太郎", "ＮＩＦＴＹ管理者"},
                        {{"発言数", {30, 20, 10, 5}}}));
  Chart rooms = Made(ChartShape::HorizontalBars, "会議室別発言数", {"会議室1", "会議室2", "会議室3"},
                     {{"発言数", {12, 40, 7}}});
  rooms.marked = {1};
  charts.push_back(rooms);
  charts.push_back(Made(ChartShape::Bars, "日付別発言数", Numbered("1996/01/", 9),
                        {{"発言数", {5, 8, 0, 2, 9, 4, 4, 1, 7}}, {"発言者数", {2, 3, 0, 1, 4, 2, 2, 1, 3}}}));
  charts.push_back(Made(ChartShape::StackedBars, "引用率", {"山田太郎", "鈴木花子", "佐藤"},
                        {{"自分の文字数", {900, 400, 120}}, {"引用文字数", {100, 350, 0}}}));
  Chart ranks = Made(ChartShape::Lines, "月別順位", {"1995/12", "1996/01", "1996/02", "1996/03"},
                     {{"山田太郎", {1, 2, NAN, 1}}, {"鈴木花子", {2, 1, 1, NAN}}, {"佐藤", {NAN, 3, NAN, NAN}}});
  ranks.value_axis_reversed = true;
  ranks.value_axis = S("順位");
  charts.push_back(ranks);
  std::vector<ChartSeries> days;
  for (const char* day : {"日", "月", "火", "水", "木", "金", "土"}) {
    ChartSeries row{day, {}};
    for (int hour = 0; hour < 24; ++hour) row.values.push_back((hour * (days.size() + 1)) % 9);
    days.push_back(row);
  }
  days[2].values[5] = NAN;
  charts.push_back(Made(ChartShape::HeatMap, "曜日×時間", Numbered("", 24), days));
  return charts;
}

// A top-level window holding the chart page with `charts`, shown.
struct ChartWindow {
  explicit ChartWindow(std::vector<Chart> charts, QSize size = QSize(800, 450)) {
    ChartLook look;
    look.font = QFont("IPAGothic", 9);
    tab = new TChartTab({[charts] { return charts; }, [look] { return look; }}, &window);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tab);
    window.resize(size);
    window.show();
    QCoreApplication::processEvents();
  }
  TChartPane& Pane(int index) {
    tab->ShowChart(index);
    QCoreApplication::processEvents();
    return *tab->CurrentPane();
  }
  QWidget window;
  TChartTab* tab = nullptr;
};

}  // namespace

class TestChartTab : public QObject {
  Q_OBJECT

 private slots:
  void qtChartsHoldTheValues_data();
  void qtChartsHoldTheValues();
  void largeChartsScrollThroughTheirCategories();
  void chartsAreMadeWhenShown();
  void titlesFollowAFontInPointsOrPixels();
  void savedAndCopied();
  void unwritableFileIsReported();
  void rendering_data();
  void rendering();
};

void TestChartTab::qtChartsHoldTheValues_data() {
  QTest::addColumn<int>("index");
  const std::vector<Chart> charts = Fixtures();
  for (std::size_t i = 0; i < charts.size(); ++i)
    QTest::newRow(cp932::ToUtf8(charts[i].title).c_str()) << static_cast<int>(i);
}

void TestChartTab::qtChartsHoldTheValues() {
  QFETCH(int, index);
  ChartWindow shown(Fixtures());
  TChartPane& pane = shown.Pane(index);
  const Chart& chart = pane.Value();
  QCOMPARE(shown.tab->findChild<QListWidget*>("ChartList")->count(), static_cast<int>(Fixtures().size()));
  QCOMPARE(pane.Shown().count, chart.shape == ChartShape::HeatMap ? chart.series.size() : chart.categories.size());
  QVERIFY(!pane.Scroller()->isVisible());
  const QString mismatch = ChartMismatch(pane);
  QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
  if (chart.shape == ChartShape::HeatMap) {
    QVERIFY(pane.HeatMap()->ShadeOf(0) != pane.HeatMap()->ShadeOf(8));
    QVERIFY(pane.HeatMap()->ShadeOf(0) != pane.HeatMap()->ShadeOf(NAN));
    return;
  }
  auto* values = qobject_cast<QValueAxis*>(pane.QtChart()->axes(Qt::Vertical | Qt::Horizontal).last());
  QVERIFY(values);
  QCOMPARE(values->isReverse(), chart.value_axis_reversed);
  // Line pieces never join across a gap: "山田太郎" breaks at 1996/02.
  if (chart.shape == ChartShape::Lines) QCOMPARE(pane.QtChart()->series().size(), 4);
}

// Thousands of categories: a window of them, the scroll bar moving it to the
// last; along the bottom, labels thinned to the room there is.
void TestChartTab::largeChartsScrollThroughTheirCategories() {
  std::vector<double> ranked, daily;
  for (int i = 0; i < 3000; ++i) ranked.push_back(3000 - i);
  for (int i = 0; i < 2000; ++i) daily.push_back(i % 17);
  ChartWindow shown({Made(ChartShape::HorizontalBars, "発言数順位", Numbered("ID", 3000), {{"発言数", ranked}}),
                     Made(ChartShape::Bars, "日付別発言数", Numbered("D", 2000), {{"発言数", daily}})});
  for (int index : {0, 1}) {
    TChartPane& pane = shown.Pane(index);
    const std::size_t total = pane.Value().categories.size();
    QVERIFY(pane.Scroller()->isVisible());
    QVERIFY(pane.Shown().count > 5 && pane.Shown().count < total);
    pane.Scroller()->setValue(pane.Scroller()->maximum());
    QCOMPARE(pane.Shown().first + pane.Shown().count, total);
    const QString mismatch = ChartMismatch(pane);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
  }
  auto* bottom = qobject_cast<QCategoryAxis*>(shown.tab->CurrentPane()->QtChart()->axes(Qt::Horizontal).first());
  QVERIFY(bottom->count() < static_cast<int>(shown.tab->CurrentPane()->Shown().count));
  QVERIFY(bottom->count() * QFontMetrics(QFont("IPAGothic", 9)).horizontalAdvance("D2000") < 800);
}

// A report changed while the page is hidden is charted when it is shown.
void TestChartTab::chartsAreMadeWhenShown() {
  int made = 0;
  QWidget window;
  auto* tab = new TChartTab({[&made] {
                               ++made;
                               return Fixtures();
                             },
                             {}},
                            &window);
  tab->hide();
  window.show();
  tab->ReportChanged();
  tab->ReportChanged();
  QCOMPARE(made, 0);
  tab->show();
  QCOMPARE(made, 1);
  QVERIFY(tab->CurrentPane());
  tab->ReportChanged();  // shown: at once
  QCOMPARE(made, 2);
}

// A window font may be sized in pixels, with no point size to scale.
void TestChartTab::titlesFollowAFontInPointsOrPixels() {
  ChartLook in_points, in_pixels;
  in_points.font.setPointSize(10);
  in_pixels.font.setPixelSize(15);
  const Chart chart = Fixtures()[0];
  QCOMPARE(QtChartOf(chart, {0, 4}, 4, in_points)->titleFont().pointSize(), 12);
  const QFont title = QtChartOf(chart, {0, 4}, 4, in_pixels)->titleFont();
  QCOMPARE(title.pixelSize(), 18);
  QVERIFY(title.bold());
}

void TestChartTab::savedAndCopied() {
  QTemporaryDir folder;
  ChartWindow shown(Fixtures());
  for (int index : {2, 5}) {  // a Qt chart and the heat map
    TChartPane& pane = shown.Pane(index);
    const QImage picture = pane.Picture();
    const QString png = folder.filePath(QString("chart%1.png").arg(index));
    const QString svg = folder.filePath(QString("chart%1.svg").arg(index));
    shown.tab->SavePngTo(png);
    shown.tab->SaveSvgTo(svg);
    const QImage saved(png);
    QCOMPARE(saved.size(), picture.size());
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), picture.convertToFormat(QImage::Format_RGB32));
    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.viewBox(), QRect(QPoint(0, 0), picture.size() / picture.devicePixelRatio()));
    const QByteArray document = tobrel::testing::ReadAll(svg.toStdString()).c_str();
    QVERIFY(document.contains(FromCp932(pane.Value().title).toUtf8()));
    shown.tab->CopyChart();
    QCOMPARE(QApplication::clipboard()->image().size(), picture.size());
  }
  // The chart's pop-up menu copies it too.
  QApplication::clipboard()->clear();
  QTimer::singleShot(0, [] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      menu->findChild<QAction*>("ChartCopy")->trigger();
      menu->close();
    }
  });
  auto* drawing = shown.tab->CurrentPane()->HeatMap();
  emit drawing->customContextMenuRequested(QPoint(10, 10));
  QCOMPARE(QApplication::clipboard()->image().size(), shown.tab->CurrentPane()->Picture().size());
  // Through the save dialog: a typed name gets the type's extension.
  ModalScript script;
  script.Then<TTextFileDialog>(ChooseFile(folder.filePath("typed")));
  shown.tab->findChild<QPushButton*>("ChartSvgButton")->click();
  QVERIFY(script.Done());
  QVERIFY(QSvgRenderer(folder.filePath("typed.svg")).isValid());
}

void TestChartTab::unwritableFileIsReported() {
  QTemporaryDir folder;
  ChartWindow shown(Fixtures());
  shown.Pane(0);
  QString text;
  ModalScript script;
  script.Then<QMessageBox>(NoteText(&text));
  const QString path = folder.filePath("missing/chart.png");
  shown.tab->SavePngTo(path);
  QVERIFY(script.Done());
  QVERIFY2(text.startsWith(path) && text.contains(QStringLiteral("に書き込めません")), qPrintable(text));
  QVERIFY(!QFile::exists(path));
}

void TestChartTab::rendering_data() { qtChartsHoldTheValues_data(); }

void TestChartTab::rendering() {
  QFETCH(int, index);
  ChartWindow shown(Fixtures());
  const TChartPane& pane = shown.Pane(index);
  const char* const shapes[] = {"hbars", "hbars_marked", "bars", "stacked", "lines", "heatmap"};
  SaveAndCheck(&shown.window, QStringLiteral("chart_%1.png").arg(shapes[index]));
  QCOMPARE(tobrel::testing::CutChartLabels(pane), QStringList());
  QVERIFY(pane.Picture().save(tobrel::testing::PicturePath(QStringLiteral("chart_%1_only.png").arg(shapes[index]))));
}

QTEST_MAIN(TestChartTab)
#include "tst_charttab.moc"
