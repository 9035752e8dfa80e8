// TForm1: the main window. It owns the store of postings, the two file
// lists, the option pages of the tallies, the result view and the status
// bar, and it runs every command of the menus, the tool bar and the
// buttons. The work behind the commands lives in the plain libraries; this
// class only connects them to the controls.
#pragma once

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QToolBar>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/log_store.h"
#include "core/read_run_observer.h"
#include "exclusion/exclusion_rules.h"
#include "core/read_run.h"
#include "platform/clock.h"
#include "regex/line_matcher.h"
#include "settings/startup.h"
#include "tally/report_request.h"
#include "tally/tally_progress.h"
#include "ui/charts/chart_look.h"
#include "ui/models/candidate_list.h"
#include "ui/view/view_choices.h"

namespace tobrel {

class CountPage;
class QuotePage;
class CommentPage;
class StatsPage;
class MonthPage;
class RangePage;
class TTextView;
class TForm5;
class TACLogFrm;
class TFileSelectFrm;
class TOmittMesForm;
class TExpMesForm;
class THelpWindow;
class TChartTab;

// Where the window's settings come from and what time it is.
struct WindowEnvironment {
  StartupInputs startup;
  std::shared_ptr<const Clock> clock;  // the system clock when empty
  // The docs/ folder of the source checkout, where Help looks for the manual
  // last (ui/models/manual_location.h); empty: not looked for.
  std::filesystem::path source_docs;
};

class TForm1 : public QMainWindow, private ReadRunObserver, private TallyProgress {
  Q_OBJECT

 public:
  explicit TForm1(const WindowEnvironment& environment, QWidget* parent = nullptr);
  ~TForm1() override;

  // ---- Commands, as the menus and buttons run them.
  void AddLogFiles(const QStringList& paths);  // candidates added without a dialog, as by a drop
  void ReadCheckedFiles();                     // ReadLogFile
  ReadRunInputs ReadingInputs();
  // The quote-line pattern as "設定(&G)" sets it after its input box.
  void ChangeQuotePatternTo(const QString& pattern);
  void ClearAll();                             // AllClear
  void ClearReadData();                        // ReadDataClear
  void RunTally();                             // SumExec, BitBtn1
  void SelectTallyPage(TallyKind kind);
  void SaveResultTo(const QString& path);      // what SaveResult does after its dialog
  // What SaveResult does for the file type "TSV": the tables of the report
  // last made, as tab-separated UTF-8 text.
  void SaveTablesTo(const QString& path);
  // What SaveResult does for the file type "HTML": the report last made as
  // one HTML page, its tables and their charts.
  void SaveHtmlTo(const QString& path);
  void CopyResult();                           // BitBtn4
  // Shows the chart page of the result panel, or the result view when the
  // charts show (Ctrl+G, "ｸﾞﾗﾌ表示(&G)").
  void ToggleChartPage();
  // One search after the selection, as "次を検索(&F)" of OpenFindDialog runs it.
  void FindInView(const QString& text, bool match_case);
  void OpenInExternalEditor();                 // ToolButton26
  void ToggleReadOnly();                       // BitBtn2

  // ---- State, for the commands and the tests.
  CandidateList& Candidates() { return candidates_; }
  const LogStore& Store() const { return store_; }
  TTextView* Editor() const { return editor_; }
  // The charts of the report last made, on the page beside the result view.
  TChartTab* ChartPage() const { return chart_tab_; }
  QString StatusText() const;
  // The warning label under the read-file list; hidden when it is empty.
  const QLabel* ReadHealthLabel() const { return health_label_; }
  // The request the tally dispatch would run now.
  ReportRequest CurrentRequest() const;
  TobrelSettings& Settings() { return settings_; }
  // The exclusion and same-person rules, as their dialog leaves them.
  ExclusionRules& Rules() { return rules_; }
  // Puts the controls' state into the settings and writes the settings file.
  // Throws Failure (SaveSettingsFile, settings/settings_file.h) when it could
  // not be written.
  void SaveSettings();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // ReadRunObserver
  void ShowCandidatesPage() override;
  void ShowReadFilesPage() override;
  void SetBusyCursor(bool busy) override;
  std::string ApplicationTitle() const override;
  void SetApplicationTitle(std::string_view title) override;
  void Minimize() override;
  void Restore() override;
  void Beep() override;
  void ShowStatus(std::string_view text) override;
  void SetProgressRange(int maximum) override;
  void SetProgressPosition(int position) override;
  void SetFilesLabel(std::string_view text) override;
  void SetArticlesLabel(std::string_view text) override;
  void ShowReadHealth(const std::vector<FileReadHealth>& files) override;
  void KeepResponsive() override;
  bool StopRequested() override;
  // TallyProgress
  void ShowProgress(std::string_view text) override;

  // Building (main_window_build.cpp, main_window_menus.cpp).
  void BuildLayout();
  void BuildActions();
  void BuildMenus();
  void BuildToolBar();
  void BuildPopupMenus();
  QAction* NewAction(const char* name, const QString& caption, int image,
                     void (TForm1::*handler)());

  // Start and end (main_window_lifecycle.cpp).
  void ApplyStartup(const StartupState& state);
  void LoadDataFiles(const std::vector<std::string>& paths);
  void ApplyViewOptions();
  // Keeps the frame's place and the size while the window is neither
  // maximised nor minimised, for the settings.
  void RememberNormalPlacement();

  // File lists (main_window_files.cpp).
  // The open dialog of log files with filter `filter` chosen, in `folder`
  // unless it is empty: the chosen file, or "" when cancelled.
  std::string ChooseLogFile(int filter, const QString& folder);
  void OpenLogFile();
  void LoadDataFileByDialog();                 // D1
  void ACLogFileOpen();
  void FolderListOpen();
  void CheckExceptMes();
  void OmitSettings();
  void ProcessLogs();
  void RefreshCandidates();
  void RefreshLabels();
  void RemoveSelectedCandidates();
  void ShowFileInformation();
  void CandidateContextMenu(const QPoint& position);

  // Result output (main_window_result.cpp).
  void SaveResultExecute();
  void OpenFindDialog();
  void EditorContextMenu(const QPoint& position);
  void SetScrollBars(ScrollBarChoice choice);
  void ToggleLineNumbers();
  void ToggleRuler();
  void ChooseFont();
  void ChooseColor(ViewColorRole role);
  void DefaultColors();
  void EditExternalEditorSettings();
  void ShowHelp();
  void ShowAbout();
  void CaretMoved();
  void TallyPageChanged(int index);
  void SetQuotePattern();

  // The charts' font and colours: those of the result view.
  ChartLook ChartLookOfView() const;

  void ShowMessage(const QString& text);
  void ShowStatusText(const QString& text);

  // Reading and tallies run on this thread and handle the window's events
  // between their steps (main_window_long_work.cpp). Meanwhile every command
  // that could start another run or change the store or the candidate list
  // is disabled; logs handed over are added once the run has ended, and a
  // close stops a reading run and closes the window after it. Only a
  // reading run can be stopped, by "中止" or Esc.
  void BeginLongWork(bool stoppable);
  void EndLongWork();
  void RequestStop();
  bool long_work_ = false;
  bool stop_requested_ = false;
  bool close_after_work_ = false;
  QStringList logs_handed_during_work_;
  std::vector<QAction*> actions_disabled_for_work_;
  QElapsedTimer events_handled_;  // since the window last handled its events

  WindowEnvironment environment_;
  std::shared_ptr<const Clock> clock_;
  TobrelSettings settings_;
  QSize first_size_;        // the window's size at its first start
  QRect normal_placement_;  // the frame's top left and the size, when last normal
  LogStore store_;
  CandidateList candidates_;
  ReportData last_data_;  // of the report last made, for the "TSV" file type and the charts
  ReportRequest last_request_;  // that made last_data_
  std::vector<std::string> last_read_files_;  // the logs read when last_data_ was made
  std::unique_ptr<TForm5> process_form_;  // keeps its settings between showings
  ExclusionRules rules_;  // the exclusion and same-person rules of this run
  // The dialogs, each made when it is first opened and kept for the run so
  // that what it remembers (added masks, the sort direction, the file names
  // of the pair editor) lasts from one opening to the next.
  std::unique_ptr<TACLogFrm> ac_log_form_;
  std::unique_ptr<TFileSelectFrm> file_select_form_;
  std::unique_ptr<TOmittMesForm> omitt_mes_form_;
  std::unique_ptr<TExpMesForm> exp_mes_form_;
  // The manual's window, a child window made when Help is first pressed; it
  // keeps its page, history, size and place for the run and closes with
  // this window.
  THelpWindow* help_window_ = nullptr;
  TLineMatcher quote_matcher_;
  bool find_match_case_ = false;
  QString find_text_;

  // Controls; objectName is the design name.
  QToolBar* tool_bar_ = nullptr;
  QTabWidget* page_control2_ = nullptr;
  QTabWidget* page_control1_ = nullptr;
  QListWidget* check_list_ = nullptr;  // CheckListBox1
  QListWidget* read_list_ = nullptr;   // ListBox1
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* health_label_ = nullptr;  // the reading run's warnings
  RangePage* range_page_ = nullptr;
  CountPage* count_page_ = nullptr;
  QuotePage* quote_page_ = nullptr;
  CommentPage* comment_page_ = nullptr;
  StatsPage* stats_page_ = nullptr;
  MonthPage* month_page_ = nullptr;
  QPushButton* bit_btn1_ = nullptr;
  QPushButton* bit_btn2_ = nullptr;
  TTextView* editor_ = nullptr;
  QTabWidget* result_tabs_ = nullptr;  // "結果" (the view) and "グラフ"
  TChartTab* chart_tab_ = nullptr;
  QAction* chart_page_action_ = nullptr;
  QLabel* status_panel0_ = nullptr;
  QProgressBar* progress_bar_ = nullptr;
  QPushButton* stop_button_ = nullptr;  // "中止", shown while reading
  QShortcut* stop_shortcut_ = nullptr;  // Esc, enabled while reading
  int progress_maximum_ = 100;
  int progress_step_ = -1;  // the pixel of the bar last painted
  QMenu* popup_menu1_ = nullptr;
  QMenu* popup_menu2_ = nullptr;
  QMenu* popup_menu3_ = nullptr;
  QAction* scroll_main_[4] = {};
  QAction* scroll_popup_[4] = {};
  QAction* menu_line_no_ = nullptr;
  QAction* edit_line_ = nullptr;
  QAction* menu_ruler_ = nullptr;
  QAction* edit_ruler_ = nullptr;
  QAction* menu_log_cache_ = nullptr;
};

}  // namespace tobrel
