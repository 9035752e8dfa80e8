// The window's start and end: the stored settings and the command line
// applied to the controls and the window's placement, "/D" read-data files
// loaded, and at close the controls' state and the placement written back to
// the settings file (with Shift held, the read data are first saved as text
// beside the program).
#include <QApplication>
#include <QCloseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QWheelEvent>

#include "core/read_data_file.h"
#include "core/read_data_load.h"
#include "session/quote_pattern_in_force.h"
#include "settings/settings_file.h"
#include "ui/dialogs/ac_log_form.h"
#include "ui/window/comment_page.h"
#include "ui/dialogs/exp_mes_form.h"
#include "ui/dialogs/file_select_form.h"
#include "ui/window/count_page.h"
#include "ui/dialogs/process_form.h"
#include "ui/window/quote_page.h"
#include "ui/window/main_window.h"
#include "ui/window/month_page.h"
#include "ui/dialogs/omitt_mes_form.h"
#include "ui/widgets/dialog_support.h"
#include "ui/widgets/file_failure_box.h"
#include "ui/widgets/qt_text.h"
#include "ui/window/range_page.h"
#include "ui/window/stats_page.h"
#include "ui/view/text_view.h"
#include "ui/view/win_color.h"
#include "ui/window/window_frame.h"

namespace tobrel {
namespace {

// The available areas of the screens now attached.
QList<QRect> AvailableScreenAreas() {
  QList<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
  return areas;
}

}  // namespace

TForm1::TForm1(const WindowEnvironment& environment, QWidget* parent)
    : QMainWindow(parent), environment_(environment), clock_(environment.clock) {
  if (!clock_) clock_ = std::make_shared<SystemClock>();
  setObjectName("Form1");
  setWindowTitle(QStringLiteral("Tobrel  NIFTY SERVE 電子会議室/PATIO ログ 発言集計 "));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  // The design's small user-interface font: Japanese glyphs at 12 pixels.
  QFont font(QStringLiteral("IPAGothic"));
  font.setPixelSize(12);
  setFont(font);
  BuildLayout();
  BuildActions();
  BuildMenus();
  BuildToolBar();
  BuildPopupMenus();
  // The layouts now know what every control needs at this font and scale.
  first_size_ = FirstWindowSize(sizeHint());

  StartupInputs inputs = environment_.startup;
  if (inputs.today == 0) inputs.today = clock_->Now();
  inputs.window_width = first_size_.width();
  ApplyStartup(LoadAtStartup(inputs));
}

TForm1::~TForm1() = default;

void TForm1::ApplyStartup(const StartupState& state) {
  // A settings file not read: the window starts from the defaults.
  if (state.settings_unread) ShowFileFailure(this, FileFailureText(*state.settings_unread));
  settings_ = state.settings;
  if (!PutStoredQuotePatternInForce(quote_matcher_, settings_.quote)) settings_.quote.clear();
  quote_page_->ShowPattern(quote_matcher_.RegExp());
  const WindowFrame frame = StartFrame(settings_.window_geometry, state.window, first_size_,
                                       minimumSizeHint(), AvailableScreenAreas());
  move(frame.top_left);
  resize(frame.size);
  normal_placement_ = QRect(frame.top_left, frame.size);
  if (frame.maximized) setWindowState(windowState() | Qt::WindowMaximized);
  for (const std::string& path : state.candidates) candidates_.Add(path);
  range_page_->Load(settings_, {settings_.from_date, settings_.to_date});
  MonthTallyOptions month;
  month.range = DefaultMonthRange(clock_->Now());
  month_page_->SetOptions(month);
  ApplyViewOptions();
  RefreshCandidates();
  LoadDataFiles(state.data_files);
  page_control1_->setCurrentIndex(0);
  TallyPageChanged(0);
  page_control2_->setCurrentIndex(0);
  editor_->Lines().Clear();
}

void TForm1::LoadDataFiles(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    SetBusyCursor(true);
    std::optional<Failure> failure;
    try {
      LoadReadDataFile(path, store_, candidates_.MutableEntries(), clock_->CurrentYear());
    } catch (const Failure& e) {
      failure = e;
    }
    SetBusyCursor(false);
    if (failure && failure->kind() == FailureKind::FileUnreadable)
      ShowFileFailure(this, FileFailureText(*failure));
    else if (failure)
      ShowMessage(FromCp932(failure->message()));
  }
  RefreshCandidates();
}

void TForm1::ApplyViewOptions() {
  SetScrollBars(ScrollBarChoiceFromCode(settings_.scroll));
  menu_line_no_->setChecked(settings_.line_numbers);
  editor_->SetLeftbarVisible(settings_.line_numbers);
  menu_ruler_->setChecked(settings_.ruler);
  editor_->SetRulerVisible(settings_.ruler);
  menu_log_cache_->setChecked(settings_.use_log_cache.value_or(true));
  editor_->SetFontByName(FromCp932(settings_.font_name), settings_.font_size);
  editor_->SetColors(ColorFromColorRef(settings_.char_color),
                     ColorFromColorRef(settings_.back_color),
                     ColorFromColorRef(settings_.select_color));
}

void TForm1::SaveSettings() {
  settings_.left = x();
  settings_.top = y();
  settings_.height = height();
  // The place and size to come back to: the normal ones while maximised.
  const QRect normal = isMaximized() ? normal_placement_ : QRect(pos(), size());
  settings_.window_geometry = StoredWindowGeometry{normal.left(), normal.top(), normal.width(),
                                                   normal.height(), isMaximized()};
  settings_.log_files.clear();
  for (const CandidateFile& entry : candidates_.Entries()) {
    if (static_cast<int>(settings_.log_files.size()) == kStoredLogFiles) break;
    settings_.log_files.push_back(entry.path);
  }
  range_page_->Store(settings_);
  settings_.quote = quote_matcher_.RegExp();
  settings_.scroll = static_cast<int>(editor_->ScrollBars());
  settings_.line_numbers = menu_line_no_->isChecked();
  settings_.ruler = menu_ruler_->isChecked();
  settings_.font_size = editor_->FontSize();
  settings_.font_name = ToCp932(editor_->FontName());
  settings_.char_color = static_cast<int>(ColorRefFromColor(editor_->TextColor()));
  settings_.back_color = static_cast<int>(ColorRefFromColor(editor_->BackColor()));
  settings_.select_color = static_cast<int>(ColorRefFromColor(editor_->SelectColor()));
  SaveSettingsFile(environment_.startup.settings_path, settings_);
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (long_work_) {  // a reading run stops first; the window closes after the run
    close_after_work_ = true;
    RequestStop();
    event->ignore();
    return;
  }
  if (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier) {
    ShowStatus(cp932::FromUtf8("デバッグ情報の保存中..."));
    try {
      WriteReadDataFileBesideProgram(store_, *clock_);
    } catch (const Failure& failure) {
      ShowFileFailure(this, FileFailureText(failure));
    } catch (const std::filesystem::filesystem_error& e) {  // its folder cannot be made
      ShowFileFailure(this, FileFailureText(e.path1(), e.code(), FileAccess::kWrite));
    }
  }
  try {
    SaveSettings();
  } catch (const Failure& failure) {
    ShowFileFailure(this, FileFailureText(failure));
  }
  ClearPostings(store_.Postings);
  ClearPostings(store_.Excluded);
  event->accept();
}

bool TForm1::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
    if (!tip.isEmpty()) ShowStatusText(tip);
    return true;
  }
  return QMainWindow::event(event);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  RememberNormalPlacement();
  ShowStatusText(QStringLiteral("%1 * %2").arg(width()).arg(height()));
}

void TForm1::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  RememberNormalPlacement();
}

void TForm1::RememberNormalPlacement() {
  if (!(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
    normal_placement_ = QRect(pos(), size());
}

void TForm1::wheelEvent(QWheelEvent* event) {
  if (event->angleDelta().y() <= 0)
    editor_->ScrollLineDown();
  else
    editor_->ScrollLineUp();
  event->accept();
}

QString TForm1::StatusText() const { return status_panel0_->text(); }

void TForm1::ShowStatusText(const QString& text) {
  status_panel0_->setText(text);
  status_panel0_->repaint();
}

}  // namespace tobrel
