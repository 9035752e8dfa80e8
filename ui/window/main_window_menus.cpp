// The actions, the main menu, the tool bar and the pop-up menus with their
// captions, hints and images.
#include <QActionGroup>
#include <QMenuBar>

#include "ui/window/main_window.h"
#include "ui/widgets/qt_text.h"
#include "ui/window/range_page.h"
#include "ui/view/text_view.h"
#include "ui/window/tool_icons.h"

namespace tobrel {
namespace {

void SetHint(QAction* action, const QString& hint) {
  action->setToolTip(hint);
  action->setStatusTip(hint);
}

}  // namespace

QAction* TForm1::NewAction(const char* name, const QString& caption, int image,
                           void (TForm1::*handler)()) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  if (image >= 0) action->setIcon(ToolIcon(image));
  if (handler) connect(action, &QAction::triggered, this, handler);
  return action;
}

void TForm1::BuildActions() {
  // ActionList1, in the order of its table.
  NewAction("LogOpen", QStringLiteral("ﾛｸﾞﾌｧｲﾙの選択"), 0, &TForm1::OpenLogFile);
  NewAction("ACLogOpen", QStringLiteral("AirCraftﾛｸﾞﾌｧｲﾙの選択"), 1, &TForm1::ACLogFileOpen);
  NewAction("SaveResult", QStringLiteral("SaveResult"), 2, &TForm1::SaveResultExecute);
  NewAction("ReadLogFile", QStringLiteral("ReadLogFile"), 3, &TForm1::ReadCheckedFiles);
  NewAction("AllClear", QStringLiteral("全クリア"), 4, &TForm1::ClearAll);
  NewAction("ReadDataClear", QStringLiteral("ReadDataClera"), 5, &TForm1::ClearReadData);
  NewAction("SetOpt", QStringLiteral("SetOption"), 12, nullptr);
  NewAction("NrmlSum", QStringLiteral("NrmlSum"), 6, nullptr);
  NewAction("QuotSum", QStringLiteral("QuotSum"), 7, nullptr);
  NewAction("CmntSum", QStringLiteral("CmntSum"), 8, nullptr);
  NewAction("StatsSumAct", QStringLiteral("統計集計"), 14, nullptr);
  NewAction("SumExec", QStringLiteral("SumExec"), 9, &TForm1::RunTally);
  auto action = [this](const char* name) { return findChild<QAction*>(name); };
  connect(action("SetOpt"), &QAction::triggered, this,
          [this] { page_control2_->setCurrentWidget(range_page_); });
  connect(action("NrmlSum"), &QAction::triggered, this, [this] { SelectTallyPage(TallyKind::Count); });
  connect(action("QuotSum"), &QAction::triggered, this, [this] { SelectTallyPage(TallyKind::Quote); });
  connect(action("CmntSum"), &QAction::triggered, this, [this] { SelectTallyPage(TallyKind::Comment); });
  connect(action("StatsSumAct"), &QAction::triggered, this,
          [this] { SelectTallyPage(TallyKind::Stats); });
  // Commands of their own, outside the action list.
  NewAction("ToolButton20Click", QStringLiteral("ﾌｫﾙﾀﾞﾘｽﾄからﾛｸﾞﾌｧｲﾙの選択"), 15,
            &TForm1::FolderListOpen);
  NewAction("CheckExceptMes", QStringLiteral("集計除外発言の確認"), 17, &TForm1::CheckExceptMes);
  NewAction("V1Click", QStringLiteral("ﾛｸﾞﾌｧｲﾙの加工出力"), 19, &TForm1::ProcessLogs);
  NewAction("M1Click", QStringLiteral("月別集計"), 16, nullptr);
  connect(action("M1Click"), &QAction::triggered, this, [this] { SelectTallyPage(TallyKind::Month); });
  NewAction("ToolButton25Click", QStringLiteral("集計結果から検索"), 20, &TForm1::OpenFindDialog);
  NewAction("ToolButton26Click", QStringLiteral("集計結果をエディタで開く"), 21,
            &TForm1::OpenInExternalEditor);
  NewAction("HELP1Click", QStringLiteral("&HELP"), 10, &TForm1::ShowHelp);
  NewAction("About1Click", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"), 13, &TForm1::ShowAbout);
  NewAction("Exit1Click", QStringLiteral("終了(&X)"), 11, nullptr);
  connect(action("Exit1Click"), &QAction::triggered, this, &QWidget::close);
  NewAction("D1Click", QStringLiteral("データファイルの読込み(&D)"), 18, &TForm1::LoadDataFileByDialog);
  // Shown in the menu with its shortcut and checked while the charts show.
  chart_page_action_ = NewAction("ChartPage", QStringLiteral("ｸﾞﾗﾌ表示(&G)"), -1, nullptr);
  chart_page_action_->setCheckable(true);
  chart_page_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  SetHint(chart_page_action_, QStringLiteral("集計結果の表示とｸﾞﾗﾌを切替え"));
  connect(chart_page_action_, &QAction::triggered, this,
          [this](bool shown) {
            result_tabs_->setCurrentIndex(shown ? 1 : 0);
            result_tabs_->currentWidget()->setFocus();  // the keys go on to the page shown
          });
}

// A menu entry bound to an action: the entry's own name and caption, the
// action's image, handler and state.
static QAction* Entry(QMenu* menu, const char* name, const QString& caption, QAction* bound,
                      const QString& hint = QString()) {
  QAction* entry = menu->addAction(bound->icon(), caption);
  entry->setObjectName(name);
  entry->setEnabled(bound->isEnabled());
  QObject::connect(entry, &QAction::triggered, bound, &QAction::trigger);
  if (!hint.isEmpty()) SetHint(entry, hint);
  return entry;
}

void TForm1::BuildMenus() {
  auto action = [this](const char* name) { return findChild<QAction*>(name); };
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu1");

  QMenu* file = bar->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
  file->setObjectName("File1");
  QMenu* l1 = file->addMenu(ToolIcon(0), QStringLiteral("ﾛｸﾞﾌｧｲﾙの選択(&L)"));
  l1->setObjectName("L1");
  Entry(l1, "L2", QStringLiteral("ﾛｸﾞﾌｧｲﾙの選択(&L)"), action("LogOpen"));
  Entry(l1, "AirCraft1", QStringLiteral("AirCraftﾛｸﾞﾌｧｲﾙの選択(&A)"), action("ACLogOpen"));
  Entry(l1, "F1", QStringLiteral("ﾌｫﾙﾀﾞﾘｽﾄからﾛｸﾞﾌｧｲﾙの選択(&F)"), action("ToolButton20Click"));
  Entry(file, "N2", QStringLiteral("名前をつけて結果を保存(&S)"), action("SaveResult"));
  file->addSeparator();
  Entry(file, "N6", QStringLiteral("ﾛｸﾞﾌｧｲﾙの読込み(&R)"), action("ReadLogFile"));
  Entry(file, "N3", QStringLiteral("ﾛｸﾞﾌｧｲﾙの削除(&E)"), action("AllClear"));
  Entry(file, "C1", QStringLiteral("読込み済みﾛｸﾞ情報のｸﾘｱ(&C)"), action("ReadDataClear"));
  Entry(file, "N14", QStringLiteral("集計除外発言の確認(&O)"), action("CheckExceptMes"));
  Entry(file, "D1", QStringLiteral("データファイルの読込み(&D)"), action("D1Click"));
  file->addSeparator();
  Entry(file, "Exit1", QStringLiteral("終了(&X)"), action("Exit1Click"));

  QMenu* run = bar->addMenu(QStringLiteral("実行(&R)"));
  run->setObjectName("R1");
  Entry(run, "N7", QStringLiteral("集計期間(&P)"), action("SetOpt"));
  Entry(run, "N8", QStringLiteral("発言集計(&N)"), action("NrmlSum"));
  Entry(run, "N9", QStringLiteral("引用発言集計(&Q)"), action("QuotSum"));
  Entry(run, "N10", QStringLiteral("コメント集計(&C)"), action("CmntSum"));
  Entry(run, "N13", QStringLiteral("統計集計(&S)"), action("StatsSumAct"));
  Entry(run, "M1", QStringLiteral("月別集計(&M)"), action("M1Click"));
  run->addSeparator();
  Entry(run, "R2", QStringLiteral("集計実行(&R)"), action("SumExec"));
  Entry(run, "V1", QStringLiteral("ﾛｸﾞﾌｧｲﾙの加工出力(&V)"), action("V1Click"));
  Entry(run, "F2", QStringLiteral("集計結果から検索(&F)"), action("ToolButton25Click"),
        QStringLiteral("集計結果のカーソル位置以下から文字列を検索"));
  Entry(run, "E1", QStringLiteral("集計結果を指定されたエディタで開く(&E)"),
        action("ToolButton26Click"), QStringLiteral("集計結果をエディタで開く"));
  run->addAction(chart_page_action_);
  QMenu* options = run->addMenu(QStringLiteral("ｵﾌﾟｼｮﾝ設定(&O)..."));
  options->setObjectName("O1");
  options->menuAction()->setStatusTip(QStringLiteral("集計結果表示部のカスタマイズ"));
  auto* scroll_group = new QActionGroup(this);
  const char* const scroll_names[4] = {"MenuScNone", "MenuScHorizon", "MenuScVertical",
                                       "MenuScBoth"};
  const QString scroll_captions[4] = {QStringLiteral("なし(&N)"), QStringLiteral("横ｽｸﾛｰﾙﾊﾞｰ(&H)"),
                                      QStringLiteral("縦ｽｸﾛｰﾙﾊﾞｰ(&V)"), QStringLiteral("両方(&B)")};
  for (int i = 0; i < 4; ++i) {
    scroll_main_[i] = options->addAction(scroll_captions[i]);
    scroll_main_[i]->setObjectName(scroll_names[i]);
    scroll_main_[i]->setCheckable(true);
    scroll_group->addAction(scroll_main_[i]);
    connect(scroll_main_[i], &QAction::triggered, this,
            [this, i] { SetScrollBars(static_cast<ScrollBarChoice>(i)); });
  }
  options->addSeparator();
  options->addAction(QStringLiteral("ﾌｫﾝﾄ(&F)..."), this, &TForm1::ChooseFont)->setObjectName("Font1");
  options->addAction(QStringLiteral("文字色(&C)"), this, [this] { ChooseColor(ViewColorRole::kText); })
      ->setObjectName("C3");
  options->addAction(QStringLiteral("背景色(&B)"), this, [this] { ChooseColor(ViewColorRole::kBackground); })
      ->setObjectName("B1");
  options->addAction(QStringLiteral("選択色(&S)"), this, [this] { ChooseColor(ViewColorRole::kSelection); })
      ->setObjectName("S1");
  options->addAction(QStringLiteral("初期設定値に戻す(&D)"), this, &TForm1::DefaultColors)
      ->setObjectName("D2");
  options->addSeparator();
  menu_line_no_ = options->addAction(QStringLiteral("行番号(&L)"), this, &TForm1::ToggleLineNumbers);
  menu_line_no_->setObjectName("menuLineNo");
  menu_line_no_->setCheckable(true);
  menu_ruler_ = options->addAction(QStringLiteral("ﾙｰﾗｰ(&R)"), this, &TForm1::ToggleRuler);
  menu_ruler_->setObjectName("MenuRuler");
  menu_ruler_->setCheckable(true);
  options->addSeparator();
  // Kept in the settings file only once the user changed it.
  menu_log_cache_ = options->addAction(QStringLiteral("読込みｷｬｯｼｭを使う(&K)"), this,
                                       [this](bool on) { settings_.use_log_cache = on; });
  menu_log_cache_->setObjectName("MenuLogCache");
  menu_log_cache_->setCheckable(true);
  options->addSeparator();
  options->addAction(QStringLiteral("外部エディタで開く設定(&E)..."), this,
                     &TForm1::EditExternalEditorSettings)
      ->setObjectName("E2");

  QMenu* help = bar->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
  help->setObjectName("N8H1");
  Entry(help, "HELP1", QStringLiteral("&HELP"), action("HELP1Click"));
  Entry(help, "About1", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"), action("About1Click"));
}

void TForm1::BuildToolBar() {
  auto action = [this](const char* name) { return findChild<QAction*>(name); };
  tool_bar_ = new QToolBar(this);
  tool_bar_->setObjectName("ToolBar1");
  tool_bar_->setMovable(false);
  tool_bar_->setFixedHeight(25);
  tool_bar_->setIconSize(QSize(16, 16));
  tool_bar_->setStyleSheet("QToolBar { spacing: 0px; padding: 0px; border: none; }"
                           " QToolBar::separator { width: 8px; }");
  tool_bar_->setContentsMargins(0, 0, 0, 0);
  addToolBar(Qt::TopToolBarArea, tool_bar_);
  struct Button {
    const char* name;
    const char* hint;
    const char* bound;
  };
  static const Button kButtons[] = {
      {"ToolButton1", "ﾛｸﾞﾌｧｲﾙの選択", "LogOpen"},
      {"ToolButton2", "AirCraftﾛｸﾞの選択", "ACLogOpen"},
      {"ToolButton20", "ﾌｫﾙﾀﾞﾘｽﾄからﾛｸﾞﾌｧｲﾙを選択", "ToolButton20Click"},
      {"ToolButton3", "集計結果を名前をつけて保存", "SaveResult"},
      {nullptr, nullptr, nullptr},
      {"ToolButton5", "選択されたﾛｸﾞﾌｧｲﾙの情報の読込み", "ReadLogFile"},
      {"ToolButton6", "選択可能ﾛｸﾞﾌｧｲﾙ一覧をｸﾘｱ", "AllClear"},
      {nullptr, nullptr, nullptr},
      {"ToolButton8", "読込み済みのﾛｸﾞﾌｧｲﾙ情報をｸﾘｱ", "ReadDataClear"},
      {"ToolButton22", "ﾛｸﾞﾌｧｲﾙ読込み時に集計から除外した発言の一覧 確認", "CheckExceptMes"},
      {"ToolButton18", "集計期間の設定", "SetOpt"},
      {nullptr, nullptr, nullptr},
      {"ToolButton10", "発言集計を選択", "NrmlSum"},
      {"ToolButton11", "引用発言集計を選択", "QuotSum"},
      {"ToolButton12", "ｺﾒﾝﾄ発言集計を選択", "CmntSum"},
      {"ToolButton19", "統計集計を選択", "StatsSumAct"},
      {"ToolButton21", "月別集計を選択", "M1Click"},
      {nullptr, nullptr, nullptr},
      {"ToolButton14", "選択された発言集計を実行", "SumExec"},
      {nullptr, nullptr, nullptr},
      {"ToolButton23", "ﾛｸﾞの加工出力を実行", "V1Click"},
      {"ToolButton25", "集計結果のカーソル位置以下から文字列を検索", "ToolButton25Click"},
      {"ToolButton26", "集計結果をエディタで開く", "ToolButton26Click"},
      {nullptr, nullptr, nullptr},
      {"ToolButton16", "ﾍﾙﾌﾟの表示", "HELP1Click"},
      {"ToolButton17", "ｱﾌﾟﾘｹｰｼｮﾝの終了", "Exit1Click"},
  };
  for (const Button& button : kButtons) {
    if (!button.name) {
      tool_bar_->addSeparator();
      continue;
    }
    QAction* bound = action(button.bound);
    QAction* tool = tool_bar_->addAction(bound->icon(), QString());
    tool->setObjectName(button.name);
    SetHint(tool, QString::fromUtf8(button.hint));
    tool->setEnabled(bound->isEnabled());
    connect(tool, &QAction::triggered, bound, &QAction::trigger);
    if (QWidget* widget = tool_bar_->widgetForAction(tool)) widget->setFixedSize(26, 24);
  }
}

void TForm1::BuildPopupMenus() {
  auto action = [this](const char* name) { return findChild<QAction*>(name); };
  popup_menu1_ = new QMenu(this);
  popup_menu1_->setObjectName("PopupMenu1");
  Entry(popup_menu1_, "L3", QStringLiteral("ﾛｸﾞﾌｧｲﾙ選択(&L)"), action("LogOpen"));
  Entry(popup_menu1_, "AirCraftC1", QStringLiteral("AirCraftﾛｸﾞﾌｧｲﾙ選択(&S)"), action("ACLogOpen"));
  Entry(popup_menu1_, "F3", QStringLiteral("ﾌｫﾙﾀﾞﾘｽﾄから選択(&F)"), action("ToolButton20Click"));
  popup_menu1_->addSeparator();
  popup_menu1_->addAction(QStringLiteral("ｿｰﾄ(&O)"), this, [this] {
    candidates_.Sort();
    RefreshCandidates();
  })->setObjectName("R3");
  popup_menu1_->addAction(QStringLiteral("チェック/チェック解除(&K)"), this, [this] {
    const int row = check_list_->currentRow();
    if (row >= 0) {
      candidates_.SetChecked(row, !candidates_.Entries()[row].checked);
      RefreshCandidates();
    }
  })->setObjectName("N34");
  popup_menu1_->addAction(QStringLiteral("選択したﾛｸﾞﾌｧｲﾙを削除(&D)"), this,
                          &TForm1::RemoveSelectedCandidates)
      ->setObjectName("D3");
  popup_menu1_->addSeparator();
  popup_menu1_->addAction(QStringLiteral("全選択(&A)"), this, [this] {
    candidates_.CheckAll(true);
    RefreshCandidates();
  })->setObjectName("N20");
  popup_menu1_->addAction(QStringLiteral("全選択解除(&K)"), this, [this] {
    candidates_.CheckAll(false);
    RefreshCandidates();
  })->setObjectName("N21");
  popup_menu1_->addAction(QStringLiteral("全ての選択を反転(&H)"), this, [this] {
    candidates_.InvertAll();
    RefreshCandidates();
  })->setObjectName("N22");
  popup_menu1_->addSeparator();
  Entry(popup_menu1_, "N25", QStringLiteral("全クリア(&C)"), action("AllClear"));
  Entry(popup_menu1_, "N24", QStringLiteral("選択されたログファイルを読みこみ(&R)"),
        action("ReadLogFile"));
  popup_menu1_->addSeparator();
  popup_menu1_->addAction(QStringLiteral("読込み済みﾛｸﾞﾗｲﾙ一覧へ(&>)"), this,
                          &TForm1::ShowReadFilesPage)
      ->setObjectName("N27");
  popup_menu1_->addAction(QStringLiteral("集計期間設定へ(&P)"), this, [this] {
    page_control2_->setCurrentWidget(range_page_);
  })->setObjectName("P2");

  popup_menu2_ = new QMenu(this);
  popup_menu2_->setObjectName("PopupMenu2");
  Entry(popup_menu2_, "N28", QStringLiteral("読み込んだﾛｸﾞﾌｧｲﾙ情報を消去(&L)"), action("ReadDataClear"));
  Entry(popup_menu2_, "N30", QStringLiteral("読込時に除外した発言の確認(&C)"), action("CheckExceptMes"));
  popup_menu2_->addSeparator();
  popup_menu2_->addAction(QStringLiteral("選択可能ﾛｸﾞﾌｧｲﾙ一覧へ(&<)"), this,
                          &TForm1::ShowCandidatesPage)
      ->setObjectName("N32");
  popup_menu2_->addAction(QStringLiteral("集計期間設定へ(&P)"), this, [this] {
    page_control2_->setCurrentWidget(range_page_);
  })->setObjectName("P1");
}

}  // namespace tobrel
