// Long work on the window's thread: reading logs and tallies handle the
// window's events between their steps, so that it repaints and "中止" (or
// Esc) can stop a reading run, while every command that could start another
// run or change the store or the candidate list waits.
#include <QAction>
#include <QCoreApplication>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <utility>

#include "ui/window/main_window.h"

namespace tobrel {
namespace {

// The window handles its events when this long has passed since it last
// did, for at most kEventsFor each time: a repaint or a click waits a few
// tens of milliseconds at most, and the run loses little time.
constexpr qint64 kEventsEvery = 20;  // ms
constexpr int kEventsFor = 10;       // ms

}  // namespace

void TForm1::BeginLongWork(bool stoppable) {
  long_work_ = true;
  stop_requested_ = false;
  // Every action of the menus, the tool bar and the pop-up menus, with its
  // shortcut; the controls of the lists, the pages and the result view.
  actions_disabled_for_work_.clear();
  for (QAction* action : findChildren<QAction*>())
    if (action->isEnabled()) {
      action->setEnabled(false);
      actions_disabled_for_work_.push_back(action);
    }
  menuBar()->setEnabled(false);
  tool_bar_->setEnabled(false);
  centralWidget()->setEnabled(false);
  stop_button_->setEnabled(stoppable);
  stop_button_->setVisible(stoppable);
  stop_shortcut_->setEnabled(stoppable);
  events_handled_.start();
}

void TForm1::EndLongWork() {
  stop_button_->hide();
  stop_shortcut_->setEnabled(false);
  centralWidget()->setEnabled(true);
  tool_bar_->setEnabled(true);
  menuBar()->setEnabled(true);
  for (QAction* action : actions_disabled_for_work_) action->setEnabled(true);
  actions_disabled_for_work_.clear();
  long_work_ = false;
  if (!logs_handed_during_work_.isEmpty()) AddLogFiles(std::exchange(logs_handed_during_work_, {}));
  if (close_after_work_) QTimer::singleShot(0, this, &QWidget::close);
}

void TForm1::RequestStop() {
  if (long_work_ && stop_button_->isEnabled()) stop_requested_ = true;
}

void TForm1::KeepResponsive() {
  if (!long_work_ || events_handled_.elapsed() < kEventsEvery) return;
  QCoreApplication::processEvents(QEventLoop::AllEvents, kEventsFor);
  events_handled_.start();
}

bool TForm1::StopRequested() { return stop_requested_; }

}  // namespace tobrel
