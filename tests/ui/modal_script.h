// Test helper: drives the modal dialogs a test opens (dialogs, message
// boxes, input boxes, file dialogs). Each step waits until a visible modal
// widget of its type is active, one that is not the widget of the step
// before unless that one was hidden in between, and then acts on it from a
// zero-delay timer, so that an action may itself open a modal dialog that a
// later step drives. A script that stalls for a few seconds closes every
// modal widget, so that a failing test never hangs. The script must live
// until the modal widgets it drives have opened.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

namespace tobrel::testing {

class ModalScript : public QObject {
 public:
  ModalScript() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
    timer_.start();
  }
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

  // Adds a step for the next modal widget of type `Widget`.
  template <typename Widget>
  ModalScript& Then(std::function<void(Widget*)> act) {
    steps_.push_back({[](QWidget* widget) { return qobject_cast<Widget*>(widget) != nullptr; },
                      [act](QWidget* widget) { act(qobject_cast<Widget*>(widget)); }});
    return *this;
  }

  // True when every step has run.
  bool Done() const { return !stalled_ && next_ == steps_.size(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == last_ && event->type() == QEvent::Hide) last_hidden_ = true;
    return false;
  }

 private:
  struct Step {
    std::function<bool(QWidget*)> accepts;
    std::function<void(QWidget*)> act;
  };

  void Poll() {
    if (stalled_ || next_ == steps_.size()) return;
    QWidget* modal = QApplication::activeModalWidget();
    const bool fresh = modal && modal->isVisible() && (modal != last_ || last_hidden_);
    if (fresh && steps_[next_].accepts(modal)) {
      if (last_) last_->removeEventFilter(this);
      last_ = modal;
      last_hidden_ = false;
      modal->installEventFilter(this);
      QTimer::singleShot(0, modal, [act = steps_[next_].act, modal] { act(modal); });
      ++next_;
      waited_ = 0;
      return;
    }
    if (++waited_ * timer_.interval() < 5000) return;
    stalled_ = true;  // give up and close everything
    while (QWidget* stuck = QApplication::activeModalWidget()) {
      if (auto* dialog = qobject_cast<QDialog*>(stuck))
        dialog->reject();
      else
        stuck->close();
      if (QApplication::activeModalWidget() == stuck) break;
    }
  }

  QTimer timer_;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  QPointer<QWidget> last_;
  bool last_hidden_ = false;
  int waited_ = 0;
  bool stalled_ = false;
};

// A step that keeps a message box's text in `*text` and accepts the box.
inline std::function<void(QMessageBox*)> NoteText(QString* text) {
  return [text](QMessageBox* box) {
    *text = box->text();
    box->accept();
  };
}

// A file dialog step, as a user would do it: chooses filter `filter`
// (0-based) unless it is negative, types the whole path `file` into the
// name field and accepts.
inline std::function<void(QFileDialog*)> ChooseFile(const QString& file, int filter = -1) {
  return [file, filter](QFileDialog* dialog) {
    if (filter >= 0) {
      auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
      types->setCurrentIndex(filter);
      emit types->activated(filter);  // what the combo box tells of a user's choice
      emit types->textActivated(types->itemText(filter));
    }
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file);
    static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button
  };
}

}  // namespace tobrel::testing
