// The tally dispatch into the result view and what the user does with the
// result: save, copy, find, the external editor, the read-only toggle, the
// view's pop-up menu and the view options; help (the manual in the help
// window) and the version window.
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QUrl>
#include <cerrno>
#include <filesystem>
#include <stdexcept>

#include "exclusion/same_id_map.h"
#include "platform/failure.h"
#include "session/external_editor.h"
#include "session/nothing_read.h"
#include "platform/atomic_file.h"
#include "ui/charts/chart_tab.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/font_dialog.h"
#include "ui/dialogs/help_window.h"
#include "ui/window/comment_page.h"
#include "ui/window/count_page.h"
#include "ui/widgets/dialog_support.h"
#include "ui/widgets/file_failure_box.h"
#include "ui/dialogs/process_form.h"
#include "output/html_report.h"
#include "output/process_observer.h"
#include "ui/window/quote_page.h"
#include "tally/quote_pattern_change.h"
#include "tally/tsv_text.h"
#include "ui/window/edit_opt_form.h"
#include "ui/window/main_window.h"
#include "ui/models/manual_location.h"
#include "ui/window/month_page.h"
#include "ui/widgets/qt_text.h"
#include "ui/window/range_page.h"
#include "ui/models/result_search.h"
#include "ui/window/stats_page.h"
#include "ui/dialogs/text_file_dialog.h"
#include "ui/view/box_clipboard.h"
#include "ui/view/text_view.h"
#include "ui/view/win_color.h"

namespace tobrel {
namespace {

std::vector<std::string> ViewLines(const TTextView& view) {
  std::vector<std::string> lines;
  const TTextLines& text = view.Lines();
  lines.reserve(static_cast<std::size_t>(text.Count()));
  for (int row = 0; row < text.Count(); ++row) lines.emplace_back(text[row]);
  return lines;
}

// The tally pages in the order of the page control.
constexpr TallyKind kPageKinds[] = {TallyKind::Count, TallyKind::Quote, TallyKind::Comment,
                                    TallyKind::Stats, TallyKind::Month};
constexpr int kPageCount = 5;

// A message over `parent` with its title, kept on the screen.
void ShowInformation(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Information, parent->windowTitle(), text, QMessageBox::Ok, parent);
  PlaceWhenShown(&box);
  box.exec();
}

// What a change of the quote-line pattern shows in the window.
class PatternWindow final : public QuotePatternWindow {
 public:
  PatternWindow(QWidget* parent, QuotePage& page) : parent_(parent), page_(page) {}
  void Beep(Sound) override { QApplication::beep(); }
  void ShowMessage(std::string_view text) override { ShowInformation(parent_, FromCp932(text)); }
  void ShowPattern(std::string_view pattern) override { page_.ShowPattern(pattern); }

 private:
  QWidget* parent_;
  QuotePage& page_;
};

// The processing run's account lines in the result view, its texts in the
// status bar.
class ProcessView final : public ProcessObserver {
 public:
  ProcessView(TTextView& view, QLabel& status) : view_(view), status_(status) {}
  void SetBusyCursor(bool busy) override {
    if (busy)
      QApplication::setOverrideCursor(Qt::WaitCursor);
    else
      QApplication::restoreOverrideCursor();
  }
  void ClearResult() override { view_.Lines().Clear(); }
  void AppendResultLine(std::string_view line) override { view_.Lines().Add(line); }
  void ShowProgress(std::string_view text) override {
    status_.setText(FromCp932(text));
    status_.repaint();
  }

 private:
  TTextView& view_;
  QLabel& status_;
};

}  // namespace

void TForm1::ProcessLogs() {
  if (!process_form_) process_form_ = std::make_unique<TForm5>(*clock_, this);
  std::vector<std::string> files;
  for (const CandidateFile& entry : candidates_.Entries()) files.push_back(entry.path);
  process_form_->SetInputFiles(files);
  if (process_form_->exec() != QDialog::Accepted) return;
  ProcessView view(*editor_, *status_panel0_);
  last_data_.clear();  // the view no longer shows the report
  chart_tab_->ReportChanged();
  process_form_->ProcessLogOutput(view);
}

void TForm1::ShowMessage(const QString& text) { ShowInformation(this, text); }

void TForm1::SelectTallyPage(TallyKind kind) {
  for (int i = 0; i < kPageCount; ++i)
    if (kPageKinds[i] == kind) page_control1_->setCurrentIndex(i);
}

void TForm1::TallyPageChanged(int index) {
  static const char* const kHints[] = {"発言集計を実行", "引用発言集計を実行", "ｺﾒﾝﾄ発言集計を実行",
                                       "統計集計を実行", "月別発言集計を実行"};
  if (index >= 0 && index < kPageCount) {
    bit_btn1_->setToolTip(QString::fromUtf8(kHints[index]));
    bit_btn1_->setStatusTip(bit_btn1_->toolTip());
  }
}

ReportRequest TForm1::CurrentRequest() const {
  ReportRequest request;
  request.tally = kPageKinds[std::max(page_control1_->currentIndex(), 0)];
  request.settings = range_page_->Settings();
  request.settings.MapSameId = MapSameIdOf(rules_, range_page_->Reading().use_exclusion);
  request.count = count_page_->Options();
  request.quote = quote_page_->Options();
  request.comment = comment_page_->Options();
  request.stats = stats_page_->Options();
  request.month = month_page_->Options();
  return request;
}

void TForm1::SetQuotePattern() {
  const QString current = FromCp932(quote_matcher_.RegExp());
  QInputDialog input(this);
  input.setWindowTitle(QStringLiteral("引用行正規表現の設定"));
  input.setLabelText(QStringLiteral("引用行の正規表現を設定してください"));
  input.setTextValue(current);
  PlaceWhenShown(&input);
  const bool ok = input.exec() == QDialog::Accepted;
  ChangeQuotePatternTo(ok ? input.textValue() : current);
}

void TForm1::ChangeQuotePatternTo(const QString& pattern) {
  PatternWindow window(this, *quote_page_);
  const ReadRunInputs reading = ReadingInputs();
  const QuotePatternChange change =
      ChangeQuotePattern(ToCp932(pattern), quote_matcher_, window,
                         {store_, reading, *clock_, *this});
  RefreshLabels();
  if (change.read_error) ShowMessage(FromCp932(change.read_error->message()));
}

void TForm1::RunTally() {
  if (long_work_) return;
  if (NothingRead(store_)) {
    QApplication::beep();
    ShowMessage(FromCp932(kNothingReadMessage));
    return;
  }
  editor_->Lines().Clear();
  const bool read_only = editor_->ReadOnly();
  editor_->SetReadOnly(true);
  editor_->setEnabled(false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  std::optional<QString> problem;
  try {
    // Taken while the pages are enabled: a page leaves out what it disables.
    const ReportRequest request = CurrentRequest();
    BeginLongWork(false);
    last_request_ = request;
    last_read_files_ = store_.ReadFiles;
    const ReportOutcome outcome = MakeReport(store_, request, *this, &last_data_);
    std::string text;
    for (const std::string& line : outcome.lines) {
      text += line;
      text += "\r\n";
    }
    if (!outcome.lines.empty()) editor_->Lines().SetText(text);
  } catch (const Failure& refused) {  // the tally's refusal or a bad number text: nothing written
    last_data_.clear();
    problem = FromCp932(refused.message());
  } catch (const std::exception& e) {
    last_data_.clear();
    problem = QString::fromStdString(e.what());
  }
  if (long_work_) EndLongWork();
  chart_tab_->ReportChanged();  // charted from the data when the page shows
  QApplication::restoreOverrideCursor();
  editor_->setEnabled(true);
  editor_->SetReadOnly(read_only);
  ShowStatus({});
  if (problem) ShowMessage(*problem);
}

void TForm1::SaveResultExecute() {
  if (editor_->Lines().Count() == 0) {
    QApplication::beep();
    ShowMessage(QStringLiteral("集計結果がありません"));
    return;
  }
  // TextSaveDialog1: the file types and the extension each gives a typed name.
  TTextFileDialog dialog(TTextFileDialog::Kind::Save, QStringLiteral("集計結果を名前をつけて保存"),
                         this);
  // "TSV" saves the tables of the report instead of its text, "HTML" the
  // tables and their charts as a page.
  dialog.SetFilter(QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.TXT)|*.TXT|すべて(*.*)|*.*|TSV(*.tsv)|*.tsv;*.TSV|"
                                  "HTML(*.html)|*.html;*.htm;*.HTML;*.HTM"),
                   {QStringLiteral("TXT"), QString(), QStringLiteral("tsv"), QStringLiteral("html")});
  const std::optional<std::string> path = ChosenFile(dialog);
  if (!path) return;
  if (dialog.SelectedFilterIndex() == 2)
    SaveTablesTo(FromNative(*path));
  else if (dialog.SelectedFilterIndex() == 3)
    SaveHtmlTo(FromNative(*path));
  else
    SaveResultTo(FromNative(*path));
}

void TForm1::SaveResultTo(const QString& path) {
  // The lines as they stand, each ended by CR LF; the old file is replaced whole.
  try {
    WriteFileAtomically(ToNative(path), EditorFileText({}, ViewLines(*editor_), {}, false));
  } catch (const Failure& failure) {
    ShowFileFailure(this, FileFailureText(failure));
  } catch (const std::exception& e) {
    ShowMessage(QString::fromLocal8Bit(e.what()));
  }
}

void TForm1::SaveTablesTo(const QString& path) {
  // The view may show something else since (the processing run's account).
  if (last_data_.empty()) {
    QApplication::beep();
    ShowMessage(QStringLiteral("集計結果がありません"));
    return;
  }
  try {
    WriteFileAtomically(ToNative(path), TsvDocument(last_data_));
  } catch (const Failure& failure) {
    ShowFileFailure(this, FileFailureText(failure));
  } catch (const std::exception& e) {
    ShowMessage(QString::fromLocal8Bit(e.what()));
  }
}

void TForm1::ToggleChartPage() { chart_page_action_->trigger(); }

ChartLook TForm1::ChartLookOfView() const {
  ChartLook look;
  // The view's family at the size of the window's other texts.
  look.font = font();
  look.font.setFamilies({editor_->font().family()});
  look.text = editor_->TextColor();
  look.background = editor_->BackColor();
  return look;
}

void TForm1::SaveHtmlTo(const QString& path) {
  if (last_data_.empty()) {
    QApplication::beep();
    ShowMessage(QStringLiteral("集計結果がありません"));
    return;
  }
  try {
    WriteFileAtomically(ToNative(path),
                        HtmlReport(last_request_, last_data_, last_read_files_, clock_->Now()));
  } catch (const Failure& failure) {
    ShowFileFailure(this, FileFailureText(failure));
  } catch (const std::exception& e) {
    ShowMessage(QString::fromLocal8Bit(e.what()));
  }
}

void TForm1::CopyResult() {
  // The whole text stays selected; the clipboard gets it as the saved file
  // has it, every line ended (in this desktop's LF), whatever the selection
  // shape.
  editor_->SelectWholeText();
  if (editor_->Lines().Count() > 0)
    PutOnClipboard(EditorFileText({}, ViewLines(*editor_), {}, false), false);
  ShowStatusText(QStringLiteral("集計結果をクリップボードにコピーしました"));
}

void TForm1::OpenFindDialog() {
  QDialog dialog(this);
  dialog.setObjectName("FindDialog1");
  dialog.setWindowTitle(QStringLiteral("検索"));
  auto* text = new QLineEdit(find_text_, &dialog);
  text->setObjectName("FindText");
  auto* match_case = new QCheckBox(QStringLiteral("大文字と小文字を区別する(&C)"), &dialog);
  match_case->setObjectName("MatchCase");
  match_case->setChecked(find_match_case_);
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(QStringLiteral("次を検索(&F)"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(text);
  layout->addWidget(match_case);
  layout->addWidget(buttons);
  PlaceWhenShown(&dialog);
  if (dialog.exec() != QDialog::Accepted) return;
  find_text_ = text->text();
  find_match_case_ = match_case->isChecked();
  FindInView(find_text_, find_match_case_);
}

void TForm1::FindInView(const QString& text, bool match_case) {
  if (text.isEmpty()) return;
  const std::string needle = ToCp932(text);
  const std::string whole = editor_->Lines().Text() + (editor_->Lines().Count() ? "\r\n" : "");
  const std::int64_t found = FindInResult(
      whole, needle, editor_->SelectionStart() + editor_->SelectionLength(), match_case);
  if (found < 0) {
    ShowMessage(text + QStringLiteral("が見つかりません"));
    return;
  }
  editor_->SetSelectionStart(found);
  editor_->SetSelectionLength(static_cast<std::int64_t>(needle.size()));
  editor_->SetTopRow(std::max(editor_->CaretRow() - editor_->VisibleRowCount() / 3, 0));
}

void TForm1::OpenInExternalEditor() {
  const QString prefix = QStringLiteral("Tob");
  const ExternalEditorPlan plan = PlanExternalEditor(settings_);
  if (plan.refusal) {
    ShowMessage(FromCp932(*plan.refusal));
    return;
  }
  QString path;
  if (plan.target == ExternalEditorPlan::Target::NamedFile) {
    path = FromNative(plan.file.string());
  } else {
    const std::string folder =
        plan.folder.empty() ? ToNative(QDir::tempPath()) : plan.folder.string();
    std::string name = folder + "/" + ToNative(prefix) + "XXXXXX.txt";
    const int file = ::mkstemps(name.data(), 4);
    if (file < 0) {
      ShowFileFailure(this, FileFailureText(folder, {errno, std::generic_category()},
                                            FileAccess::kWrite));
      return;
    }
    ::close(file);
    path = FromNative(name);
  }
  if (!plan.editor_usable) {
    ShowMessage(FromCp932(kInvalidEditorMessage));
    return;
  }
  try {
    WriteFileAtomically(ToNative(path),
                        EditorFileText(settings_.ext_header, ViewLines(*editor_), settings_.ext_footer,
                                       settings_.ext_encoding == ExternalFileEncoding::kUtf8));
  } catch (const Failure& failure) {
    ShowFileFailure(this, FileFailureText(failure));
    return;
  } catch (const std::exception& e) {
    ShowMessage(QString::fromLocal8Bit(e.what()));
    return;
  }
  // Never through a shell, never waited for.
  const bool started = settings_.ext_editor.empty()
                           ? QDesktopServices::openUrl(QUrl::fromLocalFile(path))
                           : QProcess::startDetached(FromNative(settings_.ext_editor), {path});
  if (!started) ShowMessage(FromCp932(kInvalidEditorMessage));
}

void TForm1::ToggleReadOnly() {
  editor_->SetReadOnly(!editor_->ReadOnly());
  if (editor_->ReadOnly()) {
    bit_btn2_->setText(QStringLiteral("EDIT(&E)"));
    ShowStatusText(QStringLiteral("編集不可"));
  } else {
    bit_btn2_->setText(QStringLiteral("R/O(&O)"));
    editor_->setFocus();
    ShowStatusText(QStringLiteral("編集可"));
  }
}

void TForm1::CaretMoved() {
  if (editor_->hasFocus())
    ShowStatusText(QString::asprintf("%5d:%3d", std::min(editor_->CaretRow(), 99999) + 1,
                                     std::min(editor_->CaretColumn(), 99999) + 1));
  else
    ShowStatusText(QStringLiteral("集計結果の表示"));
}

void TForm1::EditorContextMenu(const QPoint& position) {
  QMenu menu(this);
  menu.setObjectName("PopupMenu3");
  const bool editable = !editor_->ReadOnly();
  menu.addAction(editable ? QStringLiteral("編集不可(&O)") : QStringLiteral("編集(&E)"), this,
                 &TForm1::ToggleReadOnly)
      ->setObjectName("EditReadOnly");
  menu.addSeparator();
  struct Item {
    const char* name;
    const char* caption;
    QKeySequence keys;
    void (TTextView::*run)();
    bool changes_text;
  };
  const Item items[] = {
      {"Undo1", "元に戻す(&U)", QKeySequence("Ctrl+Z"), &TTextView::UndoEdit, true},
      {"Repeat1", "やり直し(&R)", QKeySequence("Ctrl+A"), &TTextView::RedoEdit, true},
      {"Cut1", "切り取り(&T)", QKeySequence("Ctrl+X"), &TTextView::CutSelection, true},
      {"Copy1", "コピー(&C)", QKeySequence("Ctrl+C"), &TTextView::CopySelection, false},
      {"Paste1", "貼り付け(&P)", QKeySequence("Ctrl+V"), &TTextView::PasteText, true},
  };
  for (const Item& item : items) {
    QAction* action = menu.addAction(QString::fromUtf8(item.caption), editor_, item.run);
    action->setObjectName(item.name);
    action->setShortcut(item.keys);
    action->setEnabled(!item.changes_text || editable);
  }
  QAction* box_paste = menu.addAction(QStringLiteral("Box貼り付け(&B)"), this, [this] {
    const SelectionShape mode = editor_->SelectionMode();
    editor_->SetSelectionMode(SelectionShape::kBox);
    editor_->PasteText();
    editor_->SetSelectionMode(mode);
  });
  box_paste->setObjectName("BoxB1");
  box_paste->setShortcut(QKeySequence("Ctrl+B"));
  box_paste->setEnabled(editable);
  QAction* remove = menu.addAction(QStringLiteral("削除(&D)"), editor_, &TTextView::DeleteSelection);
  remove->setObjectName("Delete1");
  remove->setEnabled(editable);
  menu.addAction(QStringLiteral("すべて選択(&A)"), editor_, &TTextView::SelectWholeText)
      ->setObjectName("SelectAll1");
  menu.addSeparator();
  QAction* box_mode = menu.addAction(QStringLiteral("Box選択モード(&K)"), this, [this] {
    editor_->SetSelectionMode(editor_->SelectionMode() == SelectionShape::kBox
                                  ? SelectionShape::kNormal
                                  : SelectionShape::kBox);
  });
  box_mode->setObjectName("BoxK1");
  box_mode->setShortcut(QKeySequence("Ctrl+K"));
  box_mode->setCheckable(true);
  box_mode->setChecked(editor_->SelectionMode() == SelectionShape::kBox);
  menu.addSeparator();
  QMenu* options = menu.addMenu(QStringLiteral("オプション(&O)..."));
  options->setObjectName("O2");
  QMenu* scroll = options->addMenu(QStringLiteral("スクロールバー(&B)..."));
  scroll->setObjectName("ScrolB");
  const char* const names[4] = {"SCN", "SCH", "SCV", "SCB"};
  const char* const captions[4] = {"無し(&N)", "横ｽｸﾛｰﾙﾊﾞｰ(&H)", "縦ｽｸﾛｰﾙﾊﾞｰ(&V)", "両方(&B)"};
  for (int i = 0; i < 4; ++i) {
    QAction* entry = scroll->addAction(QString::fromUtf8(captions[i]), this, [this, i] {
      SetScrollBars(static_cast<ScrollBarChoice>(i));
    });
    entry->setObjectName(names[i]);
    entry->setCheckable(true);
    entry->setChecked(static_cast<int>(editor_->ScrollBars()) == i);
  }
  options->addAction(QStringLiteral("フォント(&F)..."), this, &TForm1::ChooseFont)->setObjectName("Font2");
  QMenu* colors = options->addMenu(QStringLiteral("カラー(&C)..."));
  colors->setObjectName("EditColor");
  colors->addAction(QStringLiteral("文字色(&C)"), this, [this] { ChooseColor(ViewColorRole::kText); })
      ->setObjectName("N41");
  colors->addAction(QStringLiteral("背景色(&B)"), this, [this] { ChooseColor(ViewColorRole::kBackground); })
      ->setObjectName("N42");
  colors->addAction(QStringLiteral("選択色(&S)"), this, [this] { ChooseColor(ViewColorRole::kSelection); })
      ->setObjectName("N43");
  colors->addAction(QStringLiteral("初期設定値に戻す(&D)"), this, &TForm1::DefaultColors)->setObjectName("N44");
  QAction* line = options->addAction(QStringLiteral("行番号(&L)"), this, &TForm1::ToggleLineNumbers);
  line->setObjectName("EditLine");
  line->setCheckable(true);
  line->setChecked(menu_line_no_->isChecked());
  QAction* ruler = options->addAction(QStringLiteral("ルーラー(&R)"), this, &TForm1::ToggleRuler);
  ruler->setObjectName("EditRuler");
  ruler->setCheckable(true);
  ruler->setChecked(menu_ruler_->isChecked());
  menu.exec(position);
}

void TForm1::SetScrollBars(ScrollBarChoice choice) {
  editor_->SetScrollBars(choice);
  scroll_main_[static_cast<int>(choice)]->setChecked(true);
  settings_.scroll = static_cast<int>(choice);
}

void TForm1::ToggleLineNumbers() {
  menu_line_no_->setChecked(!editor_->LeftbarVisible());
  editor_->SetLeftbarVisible(menu_line_no_->isChecked());
}

void TForm1::ToggleRuler() {
  menu_ruler_->setChecked(!editor_->RulerVisible());
  editor_->SetRulerVisible(menu_ruler_->isChecked());
}

void TForm1::ChooseFont() {
  // The view's font as drawn: "FixedSys" starts at the family it stands for.
  QFont start = editor_->font();
  start.setPointSize(editor_->FontSize());
  TFontDialog dialog(start, this);
  PlaceWhenShown(&dialog);
  if (dialog.exec() != QDialog::Accepted) return;
  editor_->SetFontByName(dialog.Family(), dialog.PointSize());
  chart_tab_->ReportChanged();  // in the view's font
}

void TForm1::ChooseColor(ViewColorRole role) {
  const QColor start = role == ViewColorRole::kText         ? editor_->TextColor()
                       : role == ViewColorRole::kBackground ? editor_->BackColor()
                                                            : editor_->SelectColor();
  QColorDialog dialog(start, this);
  PlaceWhenShown(&dialog);
  if (dialog.exec() != QDialog::Accepted) return;
  const QColor chosen = dialog.selectedColor();
  if (!chosen.isValid()) return;
  editor_->SetColors(role == ViewColorRole::kText ? chosen : editor_->TextColor(),
                     role == ViewColorRole::kBackground ? chosen : editor_->BackColor(),
                     role == ViewColorRole::kSelection ? chosen : editor_->SelectColor());
  chart_tab_->ReportChanged();  // in the view's colours
}

void TForm1::DefaultColors() {
  editor_->SetColors(ColorFromColorRef(0), ColorFromColorRef(0xFFFFFF),
                     ColorFromColorRef(0xFF0000));
  chart_tab_->ReportChanged();
}

void TForm1::EditExternalEditorSettings() {
  TEditOptForm form(settings_, this);
  PlaceWhenShown(&form);
  if (form.exec() == QDialog::Accepted) form.Store(settings_);
}

void TForm1::ShowHelp() {
  const std::vector<std::filesystem::path> candidates =
      ManualCandidates(environment_.startup.program_path, environment_.source_docs);
  const std::filesystem::path manual = FindManual(candidates);
  if (manual.empty()) {
    QString places;
    for (const std::filesystem::path& candidate : candidates)
      places += QLatin1Char('\n') + PathText(candidate.string());
    QMessageBox::warning(this, windowTitle(),
                         QStringLiteral("ヘルプファイルが見つかりません。探した場所:") + places);
    return;
  }
  if (!help_window_) help_window_ = new THelpWindow(this);
  help_window_->ShowPage(FromNative(manual.string()));
}

void TForm1::ShowAbout() {
  TAboutBox box(this);
  box.exec();
}

}  // namespace tobrel
