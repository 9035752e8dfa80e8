// Test helper: acts on a modal window (a message box, an input box, a
// folder browser) that a dialog opens and waits on. A zero-delay timer
// looks for the active modal widget of the wanted type and runs the action
// on it; until it is up the timer looks again every 10 ms, for at most
// five seconds.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace tobrel::testing {

template <typename Widget>
void WhenModal(std::function<void(Widget*)> action, int tries_left = 500) {
  QTimer::singleShot(tries_left == 500 ? 0 : 10, [action, tries_left] {
    auto* widget = qobject_cast<Widget*>(QApplication::activeModalWidget());
    if (widget && widget->isVisible())
      action(widget);
    else if (tries_left > 0)
      WhenModal<Widget>(action, tries_left - 1);
  });
}

// Accepts the next message box, keeping its text in `*text`.
inline void AcceptMessageBox(QString* text) {
  WhenModal<QMessageBox>([text](QMessageBox* box) {
    *text = box->text();
    box->accept();
  });
}

}  // namespace tobrel::testing
