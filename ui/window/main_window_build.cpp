// The window's controls in layouts: the file pages on the left and the
// option pages with the button row beside them, the result view below, and
// the status bar with its two panels and the progress bar over the second.
// Every part is at least as large as its texts need; a wider window widens
// the file pages, a taller one the result view.
#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>

#include "output/report_charts.h"
#include "ui/charts/chart_tab.h"
#include "ui/window/comment_page.h"
#include "ui/window/count_page.h"
#include "ui/window/quote_page.h"
#include "ui/window/main_window.h"
#include "ui/window/month_page.h"
#include "ui/window/range_page.h"
#include "ui/window/stats_page.h"
#include "ui/view/text_view.h"
#include "ui/window/tool_icons.h"

namespace tobrel {
namespace {

QPushButton* Button(const char* name, const QString& caption, const QString& hint,
                    QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setStatusTip(hint);
  return button;
}

}  // namespace

void TForm1::BuildLayout() {
  auto* central = new QWidget(this);
  central->setObjectName("Form1Client");
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  auto* top = new QWidget(central);
  auto* top_row = new QHBoxLayout(top);
  top_row->setContentsMargins(0, 0, 0, 0);
  top_row->setSpacing(0);
  column->addWidget(top);

  // Left: the two file lists and the target range.
  page_control2_ = new QTabWidget(top);
  page_control2_->setObjectName("PageControl2");
  page_control2_->setStyleSheet("QTabBar::tab { padding: 3px 3px; }");

  // The pages are made inside the page control, so that they have the
  // window's font while their sizes are worked out.
  auto* sheet5 = new QWidget(page_control2_);
  sheet5->setObjectName("TabSheet5");
  check_list_ = new QListWidget(sheet5);
  check_list_->setObjectName("CheckListBox1");
  const QString hint1 = QStringLiteral(
      "ﾁｪｯｸされたﾛｸﾞﾌｧｲﾙの情報を読み込みます.ﾄﾞﾗｯｸﾞ&ﾄﾞﾛｯﾌﾟでここにﾛｸﾞﾌｧｲﾙを追加できます");
  check_list_->setToolTip(hint1);
  check_list_->setStatusTip(hint1);
  check_list_->setSelectionMode(QAbstractItemView::SingleSelection);
  check_list_->setAcceptDrops(true);
  check_list_->viewport()->setAcceptDrops(true);
  check_list_->setDragDropMode(QAbstractItemView::DropOnly);
  check_list_->setContextMenuPolicy(Qt::CustomContextMenu);
  check_list_->installEventFilter(this);
  check_list_->viewport()->installEventFilter(this);
  label1_ = new QLabel("  0 Files", sheet5);
  label1_->setObjectName("Label1");
  auto* button2 = Button("Button2", QStringLiteral("読込み"),
                         QStringLiteral("選択されたﾛｸﾞﾌｧｲﾙの情報を読み込みます"), sheet5);
  auto* button3 = Button("Button3", QStringLiteral("全クリア"),
                         QStringLiteral("選択可能ﾛｸﾞﾌｧｲﾙをｸﾘｱします"), sheet5);
  auto* button4 = Button("Button4", QStringLiteral(">&>"), QStringLiteral("読込み済みﾛｸﾞﾌｧｲﾙ一覧へ"),
                         sheet5);
  auto* grid5 = new QGridLayout(sheet5);
  grid5->setContentsMargins(2, 2, 2, 2);
  grid5->setSpacing(2);
  grid5->addWidget(check_list_, 0, 0, 1, 4);
  grid5->addWidget(label1_, 1, 0);
  grid5->addWidget(button2, 1, 1);
  grid5->addWidget(button3, 1, 2);
  grid5->addWidget(button4, 1, 3);
  grid5->setColumnStretch(0, 1);
  connect(button2, &QPushButton::clicked, this, &TForm1::ReadCheckedFiles);
  connect(button3, &QPushButton::clicked, this, &TForm1::ClearAll);
  connect(button4, &QPushButton::clicked, this, &TForm1::ShowReadFilesPage);
  connect(check_list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    candidates_.SetChecked(check_list_->row(item), item->checkState() == Qt::Checked);
  });
  connect(check_list_, &QListWidget::itemDoubleClicked, this, &TForm1::ShowFileInformation);
  connect(check_list_, &QWidget::customContextMenuRequested, this,
          &TForm1::CandidateContextMenu);

  auto* sheet6 = new QWidget(page_control2_);
  sheet6->setObjectName("TabSheet6");
  read_list_ = new QListWidget(sheet6);
  read_list_->setObjectName("ListBox1");
  read_list_->setToolTip(QStringLiteral("情報を読み込み済みのﾛｸﾞﾌｧｲﾙ"));
  read_list_->setStatusTip(read_list_->toolTip());
  read_list_->setContextMenuPolicy(Qt::CustomContextMenu);
  label2_ = new QLabel(sheet6);
  label2_->setObjectName("Label2");
  auto* button5 = Button("Button5", QStringLiteral("<&<"), QStringLiteral("選択可能ﾛｸﾞﾌｧｲﾙ一覧へ"),
                         sheet6);
  auto* button6 = Button("Button6", QStringLiteral("消去"),
                         QStringLiteral("読込み済みﾛｸﾞﾌｧｲﾙ情報のｸﾘｱ"), sheet6);
  label2_->setMinimumWidth(150);
  auto* button8 = Button("Button8", QStringLiteral("確認"),
                         QStringLiteral("ﾛｸﾞの読込みから集計から除外した発言の一覧 確認"), sheet6);
  auto* grid6 = new QGridLayout(sheet6);
  grid6->setContentsMargins(2, 2, 2, 2);
  grid6->setSpacing(2);
  grid6->addWidget(read_list_, 0, 0, 1, 4);
  grid6->addWidget(label2_, 1, 0);
  grid6->addWidget(button5, 1, 1);
  grid6->addWidget(button6, 1, 2);
  grid6->addWidget(button8, 1, 3);
  // What the last reading run found wrong with its files; hidden when nothing.
  health_label_ = new QLabel(sheet6);
  health_label_->setObjectName("ReadHealthLabel");
  health_label_->setWordWrap(true);
  health_label_->setVisible(false);
  grid6->addWidget(health_label_, 2, 0, 1, 4);
  grid6->setColumnStretch(0, 1);
  connect(button5, &QPushButton::clicked, this, &TForm1::ShowCandidatesPage);
  connect(button6, &QPushButton::clicked, this, &TForm1::ClearReadData);
  connect(button8, &QPushButton::clicked, this, &TForm1::CheckExceptMes);
  connect(read_list_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { popup_menu2_->popup(read_list_->viewport()->mapToGlobal(p)); });

  range_page_ = new RangePage(page_control2_);
  // The design's 52 pixels, or what the text needs where that is more.
  for (QPushButton* button : {button2, button3, button4, button5, button6, button8}) {
    const QString text = QString(button->text()).remove(QLatin1Char('&'));
    button->setFixedWidth(std::max(52, button->fontMetrics().horizontalAdvance(text) + 12));
  }
  page_control2_->addTab(sheet5, QStringLiteral("選択可能ﾛｸﾞﾌｧｲﾙ一覧"));
  page_control2_->addTab(sheet6, QStringLiteral("読込み済みﾛｸﾞﾌｧｲﾙ一覧"));
  page_control2_->addTab(range_page_, QStringLiteral("集計期間"));

  // Right: the option pages of the tallies and the button row.
  page_control1_ = new QTabWidget(top);
  page_control1_->setObjectName("PageControl1");
  page_control1_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  page_control1_->setStyleSheet("QTabBar::tab { width: 58px; padding: 3px 0px; }");
  count_page_ = new CountPage(page_control1_);
  quote_page_ = new QuotePage(page_control1_);
  comment_page_ = new CommentPage(page_control1_);
  stats_page_ = new StatsPage(page_control1_);
  month_page_ = new MonthPage(page_control1_);
  page_control1_->addTab(count_page_, QStringLiteral("発言集計"));
  page_control1_->addTab(quote_page_, QStringLiteral("引用集計"));
  page_control1_->addTab(comment_page_, QStringLiteral("ｺﾒﾝﾄ集計"));
  page_control1_->addTab(stats_page_, QStringLiteral("統計集計"));
  page_control1_->addTab(month_page_, QStringLiteral("月別集計"));
  connect(quote_page_->SetButton(), &QPushButton::clicked, this, &TForm1::SetQuotePattern);
  connect(page_control1_, &QTabWidget::currentChanged, this, &TForm1::TallyPageChanged);
  connect(range_page_, &RangePage::OmitSettingsRequested, this, &TForm1::OmitSettings);
  connect(range_page_, &RangePage::TargetKindChanged, stats_page_, &StatsPage::TargetKindChanged);

  bit_btn1_ = Button("BitBtn1", QStringLiteral("集計(&X)"), QString(), top);
  bit_btn2_ = Button("BitBtn2", QStringLiteral("EDIT(&E)"),
                     QStringLiteral("集計結果の表示を編集可／ﾘｰﾄﾞｵﾝﾘｰをﾄｸﾞﾙ切替え"), top);
  auto* bit_btn4 = Button("BitBtn4", QStringLiteral("ｸﾘｯﾌﾟ(&L)"),
                          QStringLiteral("集計結果をクリップボードにコピー"), top);
  auto* bit_btn3 = Button(
      "BitBtn3", QStringLiteral("閉じる(&C)"),
      QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの終了(Shiftｷｰを押しながらで読込済情報をﾃｷｽﾄとして保存)"), top);
  bit_btn1_->setIcon(ToolIcon(9));
  bit_btn3->setIcon(ToolIcon(11));
  auto* button_row = new QHBoxLayout;
  button_row->setContentsMargins(2, 2, 2, 2);
  button_row->setSpacing(2);
  for (QPushButton* button : {bit_btn1_, bit_btn2_, bit_btn4, bit_btn3}) {
    // Four equal buttons across the option pages' width, each at least as
    // wide as its icon and text (narrower than the style's smallest button).
    const QString text = QString(button->text()).remove(QLatin1Char('&'));
    const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(text) + icon + 12);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    button_row->addWidget(button, 1);
  }
  auto* right = new QVBoxLayout;
  right->setSpacing(0);
  right->addWidget(page_control1_, 1);
  right->addLayout(button_row);
  top_row->addWidget(page_control2_, 1);
  top_row->addLayout(right);
  connect(bit_btn1_, &QPushButton::clicked, this, &TForm1::RunTally);
  connect(bit_btn2_, &QPushButton::clicked, this, &TForm1::ToggleReadOnly);
  connect(bit_btn4, &QPushButton::clicked, this, &TForm1::CopyResult);
  connect(bit_btn3, &QPushButton::clicked, this, &QWidget::close);

  // Bottom: the result view, and the charts of the same report on a page
  // beside it.
  auto* panel1 = new QWidget(central);
  panel1->setObjectName("Panel1");
  auto* panel_layout = new QVBoxLayout(panel1);
  panel_layout->setContentsMargins(0, 0, 0, 0);
  result_tabs_ = new QTabWidget(panel1);
  result_tabs_->setObjectName("ResultTabs");
  result_tabs_->setDocumentMode(true);
  result_tabs_->setStyleSheet("QTabBar::tab { padding: 2px 12px; }");
  editor_ = new TTextView(result_tabs_);
  editor_->setObjectName("Editor1");
  editor_->SetReadOnly(true);
  chart_tab_ = new TChartTab(
      {[this] { return ReportCharts(last_request_, last_data_); }, [this] { return ChartLookOfView(); }},
      result_tabs_);
  result_tabs_->addTab(editor_, QStringLiteral("結果"));
  result_tabs_->addTab(chart_tab_, QStringLiteral("グラフ"));
  result_tabs_->setTabToolTip(0, QStringLiteral("集計結果の表示 (Ctrl+G で切替え)"));
  result_tabs_->setTabToolTip(1, QStringLiteral("集計結果のｸﾞﾗﾌ (Ctrl+G で切替え)"));
  panel_layout->addWidget(result_tabs_);
  panel1->setMinimumHeight(40);
  connect(result_tabs_, &QTabWidget::currentChanged, this,
          [this](int page) {
            if (chart_page_action_) chart_page_action_->setChecked(page == 1);
          });
  connect(chart_tab_, &TChartTab::StatusText, this, &TForm1::ShowStatusText);
  column->addWidget(panel1, 1);
  connect(editor_, &TTextView::OnCaretMoved, this, &TForm1::CaretMoved);
  connect(editor_, &TTextView::OnMouseDown, this, [this](Qt::MouseButton button, QPoint p) {
    if (button == Qt::RightButton) EditorContextMenu(editor_->viewport()->mapToGlobal(p));
  });
  setCentralWidget(central);

  // The status bar: panel 0 for texts, taking the room panel 1 (135, under
  // the progress bar) leaves; a long text is cut rather than widening the window.
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBar1");
  bar->setSizeGripEnabled(false);
  status_panel0_ = new QLabel(bar);
  status_panel0_->setObjectName("StatusPanel0");
  status_panel0_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  bar->addWidget(status_panel0_, 1);
  auto* panel1_box = new QWidget(bar);
  panel1_box->setFixedSize(135, 16);
  progress_bar_ = new QProgressBar(panel1_box);
  progress_bar_->setObjectName("ProgressBar1");
  progress_bar_->setRange(0, 100);
  progress_bar_->setTextVisible(false);
  progress_bar_->setGeometry(135 - 128, 1, 128, 14);
  bar->addPermanentWidget(panel1_box);
  // Stops a reading run, as Esc does (at once, not after the button's
  // animated press).
  stop_button_ = new QPushButton(QStringLiteral("中止"), bar);
  stop_button_->setObjectName("StopButton");
  stop_button_->setFocusPolicy(Qt::NoFocus);
  stop_button_->setToolTip(QStringLiteral("ﾛｸﾞﾌｧｲﾙの読込みを中止 (Esc)"));
  stop_button_->hide();
  connect(stop_button_, &QPushButton::clicked, this, &TForm1::RequestStop);
  bar->addPermanentWidget(stop_button_);
  stop_shortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  stop_shortcut_->setEnabled(false);  // Esc keeps its other uses between runs
  connect(stop_shortcut_, &QShortcut::activated, this, &TForm1::RequestStop);
}

}  // namespace tobrel
