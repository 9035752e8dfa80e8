#include "ui/charts/chart_tab.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QHBoxLayout>
#include <QMenu>
#include <QScrollArea>
#include <QVBoxLayout>

#include "platform/atomic_file.h"
#include "ui/charts/chart_pane.h"
#include "ui/charts/heat_map_view.h"
#include "ui/dialogs/text_file_dialog.h"
#include "ui/widgets/dialog_support.h"
#include "ui/widgets/file_failure_box.h"
#include "ui/widgets/text_preview.h"

namespace tobrel {
namespace {

QPushButton* Button(const char* name, const QString& caption, const QString& hint, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setStatusTip(hint);
  return button;
}

// The least size a chart is drawn at; a smaller page scrolls it.
constexpr int kChartMinimumWidth = 360;
constexpr int kChartMinimumHeight = 280;

}  // namespace

TChartTab::TChartTab(ChartSource source, QWidget* parent)
    : QWidget(parent), source_(std::move(source)) {
  setObjectName("ChartTab");
  list_ = new QListWidget(this);
  list_->setObjectName("ChartList");
  list_->setToolTip(QStringLiteral("表示するｸﾞﾗﾌ"));
  list_->setStatusTip(list_->toolTip());
  list_->setMinimumWidth(120);
  list_->setMaximumWidth(220);
  list_->setWordWrap(true);  // long titles on two lines rather than cut
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // A chart keeps a readable size in a low result panel: the page scrolls.
  auto* area = new QScrollArea(this);
  area->setObjectName("ChartScrollArea");
  area->setWidgetResizable(true);
  area->setFrameShape(QFrame::NoFrame);
  holder_ = new QWidget(area);
  holder_->setObjectName("ChartHolder");
  holder_->setMinimumSize(kChartMinimumWidth, kChartMinimumHeight);
  area->setWidget(holder_);
  auto* holder_layout = new QVBoxLayout(holder_);
  holder_layout->setContentsMargins(0, 0, 0, 0);
  empty_ = new QLabel(QStringLiteral("ｸﾞﾗﾌにできる集計結果がありません"), holder_);
  empty_->setObjectName("NoChartLabel");
  empty_->setAlignment(Qt::AlignCenter);
  holder_layout->addWidget(empty_);
  // No access keys: the target range page beside them uses P, V and Y; the
  // buttons are reached with Tab, and the pop-up menu has its own keys.
  png_button_ = Button("ChartPngButton", QStringLiteral("PNGで保存..."),
                       QStringLiteral("表示中のｸﾞﾗﾌをPNG画像で保存"), this);
  svg_button_ = Button("ChartSvgButton", QStringLiteral("SVGで保存..."),
                       QStringLiteral("表示中のｸﾞﾗﾌをSVG画像で保存"), this);
  copy_button_ = Button("ChartCopyButton", QStringLiteral("画像をｺﾋﾟｰ"),
                        QStringLiteral("表示中のｸﾞﾗﾌを画像としてｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ"), this);
  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(2, 2, 2, 2);
  buttons->setSpacing(2);
  buttons->addStretch(1);
  for (QPushButton* button : {png_button_, svg_button_, copy_button_}) {
    button->setEnabled(false);
    buttons->addWidget(button);
  }
  auto* right = new QVBoxLayout;
  right->setContentsMargins(0, 0, 0, 0);
  right->setSpacing(0);
  right->addWidget(area, 1);
  right->addLayout(buttons);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);
  row->addWidget(list_);
  row->addLayout(right, 1);
  setFocusProxy(list_);  // the arrow keys choose the chart
  connect(list_, &QListWidget::currentRowChanged, this, &TChartTab::ShowChart);
  connect(png_button_, &QPushButton::clicked, this, &TChartTab::SaveAsPng);
  connect(svg_button_, &QPushButton::clicked, this, &TChartTab::SaveAsSvg);
  connect(copy_button_, &QPushButton::clicked, this, &TChartTab::CopyChart);
}

void TChartTab::ReportChanged() {
  stale_ = true;
  if (isVisible()) Rebuild();
}

const std::vector<Chart>& TChartTab::Charts() {
  if (stale_) Rebuild();
  return charts_;
}

void TChartTab::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (stale_) Rebuild();
}

void TChartTab::Rebuild() {
  stale_ = false;
  charts_ = source_.charts ? source_.charts() : std::vector<Chart>{};
  look_ = source_.look ? source_.look() : ChartLook{};
  const QSignalBlocker quiet(list_);
  list_->clear();
  for (const Chart& chart : charts_) {
    list_->addItem(FromCp932(chart.title));
    list_->item(list_->count() - 1)->setToolTip(FromCp932(chart.title));
  }
  list_->setCurrentRow(charts_.empty() ? -1 : 0);
  ShowChart(charts_.empty() ? -1 : 0);
}

void TChartTab::ShowChart(int index) {
  delete pane_;
  pane_ = nullptr;
  const bool valid = index >= 0 && static_cast<std::size_t>(index) < charts_.size();
  if (valid) {
    pane_ = new TChartPane(charts_[static_cast<std::size_t>(index)], look_, holder_);
    for (QWidget* drawing : {static_cast<QWidget*>(pane_->HeatMap()),
                             static_cast<QWidget*>(pane_->findChild<QChartView*>())}) {
      if (!drawing) continue;
      drawing->setContextMenuPolicy(Qt::CustomContextMenu);
      connect(drawing, &QWidget::customContextMenuRequested, this,
              [this, drawing](const QPoint& p) { PopupMenu(drawing->mapToGlobal(p)); });
    }
    holder_->layout()->addWidget(pane_);
    if (list_->currentRow() != index) {
      const QSignalBlocker quiet(list_);
      list_->setCurrentRow(index);
    }
  }
  empty_->setVisible(!valid);
  for (QPushButton* button : {png_button_, svg_button_, copy_button_}) button->setEnabled(valid);
}

void TChartTab::PopupMenu(const QPoint& global) {
  QMenu menu(this);
  menu.setObjectName("ChartPopupMenu");
  menu.addAction(QStringLiteral("PNGで保存(&P)..."), this, &TChartTab::SaveAsPng)->setObjectName("ChartPng");
  menu.addAction(QStringLiteral("SVGで保存(&V)..."), this, &TChartTab::SaveAsSvg)->setObjectName("ChartSvg");
  menu.addAction(QStringLiteral("画像をｺﾋﾟｰ(&Y)"), this, &TChartTab::CopyChart)->setObjectName("ChartCopy");
  menu.exec(global);
}

void TChartTab::SaveAsPng() {
  SaveWithDialog(QStringLiteral("ｸﾞﾗﾌをPNG画像で保存"), QStringLiteral("PNG画像(*.png)|*.png;*.PNG"),
                 QStringLiteral("png"), &TChartTab::SavePngTo);
}

void TChartTab::SaveAsSvg() {
  SaveWithDialog(QStringLiteral("ｸﾞﾗﾌをSVG画像で保存"), QStringLiteral("SVG画像(*.svg)|*.svg;*.SVG"),
                 QStringLiteral("svg"), &TChartTab::SaveSvgTo);
}

void TChartTab::SaveWithDialog(const QString& title, const QString& filter, const QString& extension,
                               void (TChartTab::*save)(const QString&)) {
  if (!pane_) return;
  TTextFileDialog dialog(TTextFileDialog::Kind::Save, title, this);
  dialog.SetFilter(filter, {extension});
  dialog.Preview()->hide();  // a picture has no text to preview
  const std::optional<std::string> path = ChosenFile(dialog);
  if (path) (this->*save)(FromNative(*path));
}

void TChartTab::SavePngTo(const QString& path) {
  if (!pane_) return;
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  pane_->Picture().save(&buffer, "PNG");
  WriteChartFile(path, buffer.data().toStdString());
}

void TChartTab::SaveSvgTo(const QString& path) {
  if (pane_) WriteChartFile(path, pane_->SvgDocument());
}

void TChartTab::WriteChartFile(const QString& path, const std::string& bytes) {
  try {
    WriteFileAtomically(ToNative(path), bytes);
    emit StatusText(QStringLiteral("ｸﾞﾗﾌを保存しました"));
  } catch (const Failure& failure) {
    ShowFileFailure(this, FileFailureText(failure));
  } catch (const std::exception& e) {
    ShowPlatformError(this, QString::fromLocal8Bit(e.what()));
  }
}

void TChartTab::CopyChart() {
  if (!pane_) return;
  QApplication::clipboard()->setImage(pane_->Picture());
  emit StatusText(QStringLiteral("ｸﾞﾗﾌをｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰしました"));
}

}  // namespace tobrel
