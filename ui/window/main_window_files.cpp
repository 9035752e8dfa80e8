// The two file lists: adding logs by the open dialog, by dropping and at
// start, removing and checking entries, reading the checked files, clearing,
// the file information box, and the counters below the lists.
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "core/format_thousands.h"
#include "core/read_run.h"
#include "exclusion/exclusion_rules.h"
#include "platform/wine_paths.h"
#include "session/reading_inputs.h"
#include "ui/dialogs/ac_log_form.h"
#include "ui/widgets/dialog_support.h"
#include "ui/dialogs/exp_mes_form.h"
#include "ui/dialogs/omitt_mes_form.h"
#include "ui/dialogs/file_select_form.h"
#include "ui/window/main_window.h"
#include "ui/widgets/qt_text.h"
#include "ui/window/range_page.h"
#include "ui/window/read_health_text.h"
#include "ui/dialogs/text_file_dialog.h"
#include "ui/view/text_view.h"

namespace tobrel {

void TForm1::AddLogFiles(const QStringList& paths) {
  if (long_work_) {  // the run reads the list as it was when it started
    logs_handed_during_work_ += paths;
    return;
  }
  for (const QString& path : paths) candidates_.Add(ToNative(path));
  RefreshCandidates();
}

std::string TForm1::ChooseLogFile(int filter, const QString& folder) {
  // TextOpenDialog1: each filter gives a typed name its own extension.
  TTextFileDialog dialog(TTextFileDialog::Kind::Open, QStringLiteral("ログファイルの選択"), this);
  dialog.SetFilter(QStringLiteral("ログファイル(*.LOG)|*.LOG|テキストファイル(*.TXT)|*.TXT|"
                                  "すべてのファイル(*.*)|*.*"),
                   {QStringLiteral("LOG"), QStringLiteral("TXT"), QString()});
  dialog.SelectFilterIndex(filter);
  if (!folder.isEmpty()) dialog.setDirectory(folder);
  return ChosenFile(dialog).value_or(std::string());
}

void TForm1::OpenLogFile() {
  ShowCandidatesPage();
  const std::string path = ChooseLogFile(0, QString());
  if (!path.empty()) candidates_.Add(path);
  RefreshCandidates();
}

void TForm1::LoadDataFileByDialog() {
  // The log dialog again, in the home folder with every file shown.
  const std::string path = ChooseLogFile(2, QDir::homePath());
  if (!path.empty()) LoadDataFiles({path});
}

void TForm1::ACLogFileOpen() {
  ShowCandidatesPage();
  if (!ac_log_form_) ac_log_form_ = std::make_unique<TACLogFrm>(DefaultWinePrefix(), this);
  ac_log_form_->SetRemembered({settings_.personal});
  if (ac_log_form_->exec() == QDialog::Accepted) {
    settings_.personal = ac_log_form_->Remembered().personal_log_folder;
    for (const std::string& path : ac_log_form_->SelectedPaths()) candidates_.Add(path);
  }
  RefreshCandidates();
}

void TForm1::FolderListOpen() {
  ShowCandidatesPage();
  if (!file_select_form_)
    file_select_form_ = std::make_unique<TFileSelectFrm>(
        DefaultWinePrefix(), FolderListSettings{settings_.add_masks}, this);
  file_select_form_->SetRemembered({settings_.folder_name});
  if (file_select_form_->exec() == QDialog::Accepted) {
    settings_.folder_name = file_select_form_->Remembered().last_log_folder;
    for (const std::string& path : file_select_form_->SelectedPaths()) candidates_.Add(path);
  }
  RefreshCandidates();
}

void TForm1::RefreshCandidates() {
  const int current = check_list_->currentRow();
  const QSignalBlocker blocker(check_list_);
  check_list_->clear();
  for (const CandidateFile& entry : candidates_.Entries()) {
    auto* item = new QListWidgetItem(PathText(entry.path), check_list_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
  }
  if (current >= 0 && current < check_list_->count()) check_list_->setCurrentRow(current);
  RefreshLabels();
}

void TForm1::RefreshLabels() {
  label1_->setText(FromCp932(FilesLabelText(candidates_.Count())));
  label2_->setText(FromCp932(ArticlesLabelText(static_cast<int>(store_.Postings.size()))));
  read_list_->clear();
  for (const std::string& path : store_.ReadFiles) read_list_->addItem(PathText(path));
}

void TForm1::RemoveSelectedCandidates() {
  const QList<QListWidgetItem*> selected = check_list_->selectedItems();
  std::vector<int> rows;
  for (QListWidgetItem* item : selected) rows.push_back(check_list_->row(item));
  std::sort(rows.rbegin(), rows.rend());
  for (int row : rows) candidates_.Remove(row);
  RefreshCandidates();
}

void TForm1::ShowFileInformation() {
  const int row = check_list_->currentRow();
  if (row < 0) return;
  // The native name is asked directly: Qt's own file functions cannot
  // reach a name that is not UTF-8.
  const std::filesystem::path file(candidates_.Entries()[row].path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    ShowMessage(PathText(file.string()) + QStringLiteral("が見つかりません"));
    return;
  }
  std::error_code size_error, time_error;
  const std::uintmax_t size = std::filesystem::file_size(file, size_error);
  const auto written = std::filesystem::last_write_time(file, time_error);
  QDateTime time;
  if (!time_error) {
    const auto since_epoch = std::chrono::file_clock::to_sys(written).time_since_epoch();
    time = QDateTime::fromMSecsSinceEpoch(
        std::chrono::duration_cast<std::chrono::milliseconds>(since_epoch).count());
  }
  const QString text =
      QStringLiteral("\nFileName : %1\nFileSize : %2 Byte\nTimeStamp: %3")
          .arg(PathText(file.filename().string()),
               FromCp932(FormatThousands(static_cast<std::int64_t>(size_error ? 0 : size))),
               time.toString("yyyy/MM/dd hh:mm:ss"));
  QMessageBox box(QMessageBox::Information, windowTitle(), text, QMessageBox::Ok, this);
  PlaceWhenShown(&box, [this] { return pos() + QPoint(50, 50); });
  box.exec();
}

void TForm1::CandidateContextMenu(const QPoint& position) {
  popup_menu1_->popup(check_list_->viewport()->mapToGlobal(position));
}

ReadRunInputs TForm1::ReadingInputs() {
  const ReadOptions options = range_page_->Reading();
  rules_.master = options.use_exclusion;
  ReadRunInputs inputs = MakeReadingInputs(candidates_.Entries(), options, rules_, quote_matcher_);
  if (settings_.use_log_cache.value_or(true)) UseLogCache(inputs, quote_matcher_);
  return inputs;
}

void TForm1::CheckExceptMes() {
  ShowReadFilesPage();
  if (!exp_mes_form_) exp_mes_form_ = std::make_unique<TExpMesForm>(store_, this);
  exp_mes_form_->exec();
}

void TForm1::OmitSettings() {
  if (!omitt_mes_form_) omitt_mes_form_ = std::make_unique<TOmittMesForm>(rules_, this);
  omitt_mes_form_->exec();
}

void TForm1::ReadCheckedFiles() {
  if (long_work_) return;
  const ReadRunInputs inputs = ReadingInputs();
  const std::size_t files_before = store_.ReadFiles.size();
  BeginLongWork(true);
  const ReadRunResult result = ReadLogFiles(store_, inputs, *clock_, *this);
  EndLongWork();
  // The run marks the files it read; the list keeps its own check marks.
  RefreshLabels();
  if (result.stopped)
    ShowStatusText(QStringLiteral("読込みを中止しました（%1 ファイル読込み済み）")
                       .arg(store_.ReadFiles.size() - files_before));
  if (result.stopped_by) ShowMessage(FromCp932(result.stopped_by->message()));
}

void TForm1::ClearAll() {
  ShowCandidatesPage();
  ClearStore(store_);
  ShowReadHealth({});
  candidates_.Clear();
  RefreshCandidates();
}

void TForm1::ClearReadData() {
  ShowReadFilesPage();
  ClearStore(store_);
  ShowReadHealth({});
  RefreshLabels();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == check_list_->viewport() &&
      (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove)) {
    auto* drag = static_cast<QDropEvent*>(event);
    if (drag->mimeData()->hasUrls()) {
      drag->acceptProposedAction();
      return true;
    }
  }
  if (watched == check_list_->viewport() && event->type() == QEvent::Drop && !long_work_) {
    auto* drop = static_cast<QDropEvent*>(event);
    QStringList paths;
    for (const QUrl& url : drop->mimeData()->urls())
      if (url.isLocalFile()) paths << url.toLocalFile();
    AddLogFiles(paths);
    drop->acceptProposedAction();
    return true;
  }
  if (watched == check_list_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Delete) {
      const int row = check_list_->currentRow();
      if (row >= 0 && check_list_->item(row)->isSelected()) {
        candidates_.Remove(row);
        RefreshCandidates();
      }
      return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      ShowFileInformation();
      return true;
    }
  }
  if (watched == check_list_ && event->type() == QEvent::KeyRelease &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space &&
      !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
    const int row = check_list_->currentRow();
    if (row >= 0 && row + 1 < check_list_->count()) check_list_->setCurrentRow(row + 1);
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---- What the reading run shows.

void TForm1::ShowCandidatesPage() { page_control2_->setCurrentIndex(0); }
void TForm1::ShowReadFilesPage() { page_control2_->setCurrentIndex(1); }

void TForm1::SetBusyCursor(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

std::string TForm1::ApplicationTitle() const {
  return ToCp932(windowTitle());
}

void TForm1::SetApplicationTitle(std::string_view title) {
  // The task bar shows the window's title on this system.
  setWindowTitle(FromCp932(title));
}

void TForm1::Minimize() { showMinimized(); }
void TForm1::Restore() { showNormal(); }
void TForm1::Beep() { QApplication::beep(); }

void TForm1::ShowStatus(std::string_view text) {
  status_panel0_->setText(FromCp932(text));
  status_panel0_->repaint();
}

void TForm1::SetProgressRange(int maximum) {
  progress_maximum_ = std::max(maximum, 0);
  progress_step_ = -1;
  progress_bar_->setRange(0, progress_maximum_);
  progress_bar_->repaint();
}

void TForm1::SetProgressPosition(int position) {
  // The reading run reports about a thousand lines a log; only a change the bar can show (one
  // of its 128 pixels) reaches it and is painted.
  const int step = progress_maximum_ > 0
                       ? static_cast<int>(static_cast<long long>(position) * 128 / progress_maximum_)
                       : 0;
  if (step == progress_step_) return;
  progress_step_ = step;
  progress_bar_->setValue(position);
  progress_bar_->repaint();
}

void TForm1::SetFilesLabel(std::string_view text) { label1_->setText(FromCp932(text)); }
void TForm1::SetArticlesLabel(std::string_view text) {
  label2_->setText(FromCp932(text));
  label2_->repaint();
}

void TForm1::ShowReadHealth(const std::vector<FileReadHealth>& files) {
  const ReadHealthTexts texts = MakeReadHealthTexts(files);
  health_label_->setText(texts.line);
  health_label_->setToolTip(texts.details);
  health_label_->setStyleSheet(texts.warning ? QStringLiteral("color: #c00000;") : QString());
  health_label_->setVisible(!texts.line.isEmpty());
  if (!texts.line.isEmpty()) ShowStatusText(texts.line);
}

void TForm1::ShowProgress(std::string_view text) {
  ShowStatus(text);
  KeepResponsive();
}

}  // namespace tobrel
