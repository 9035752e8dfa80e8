#include "ui/widgets/dialog_placement.h"

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <utility>

namespace tobrel {
namespace {

// The screen a frame at `frame` appears on.
const QScreen* ScreenFor(const QRect& frame, const QWidget* dialog) {
  if (const QScreen* screen = QGuiApplication::screenAt(frame.center())) return screen;
  if (const QWidget* parent = dialog->parentWidget())
    if (const QScreen* screen = parent->window()->screen()) return screen;
  return QGuiApplication::primaryScreen();
}

// The event filter of PlaceWhenShown, owned by its dialog.
class PlacementKeeper : public QObject {
 public:
  PlacementKeeper(QDialog* dialog, std::function<QPoint()> top_left)
      : QObject(dialog), dialog_(dialog), top_left_(std::move(top_left)) {
    dialog->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != dialog_) return false;
    // The Show event comes before the dialog's own showEvent: placed here,
    // it is moved already, and Qt leaves its place alone.
    if (event->type() == QEvent::Show && !event->spontaneous()) {
      if (top_left_)
        PlaceOnScreen(dialog_, top_left_());
      else
        CenterOverParent(dialog_);
    } else if (event->type() == QEvent::Resize && dialog_->isVisible()) {
      PlaceOnScreen(dialog_, dialog_->frameGeometry().topLeft());
    }
    return false;
  }

 private:
  QDialog* dialog_;
  std::function<QPoint()> top_left_;
};

}  // namespace

QPoint CenteredTopLeft(const QRect& owner, const QSize& dialog) {
  // Integer division in C++ rounds toward zero, as the halves must.
  return {owner.left() + (owner.width() - dialog.width()) / 2,
          owner.top() + (owner.height() - dialog.height()) / 2};
}

QPoint KeptOnScreen(const QPoint& top_left, const QSize& frame, const QRect& screen) {
  // The right and bottom limits first, so that the left and top ones win
  // for a frame larger than the screen.
  const int left = std::max(std::min(top_left.x(), screen.left() + screen.width() - frame.width()),
                            screen.left());
  const int top = std::max(std::min(top_left.y(), screen.top() + screen.height() - frame.height()),
                           screen.top());
  return {left, top};
}

void PlaceOnScreen(QWidget* dialog, const QPoint& top_left) {
  QSize frame = dialog->frameGeometry().size();
  const QScreen* screen = ScreenFor(QRect(top_left, frame), dialog);
  if (!screen) {
    dialog->move(top_left);
    return;
  }
  const QRect available = screen->availableGeometry();
  // A dialog larger than the screen shrinks to it, as far as its layout lets it.
  const QSize decoration = frame - dialog->size();
  const QSize fitting = dialog->size()
                            .boundedTo(available.size() - decoration)
                            .expandedTo(dialog->minimumSize());
  if (fitting != dialog->size()) {
    dialog->resize(fitting);
    frame = fitting + decoration;
  }
  dialog->move(KeptOnScreen(top_left, frame, available));
}

void CenterOverParent(QWidget* dialog) {
  const QWidget* parent = dialog->parentWidget();
  if (!parent) return;
  PlaceOnScreen(dialog,
                CenteredTopLeft(parent->window()->frameGeometry(), dialog->frameGeometry().size()));
}

void PlaceWhenShown(QDialog* dialog, std::function<QPoint()> top_left) {
  new PlacementKeeper(dialog, std::move(top_left));
}

}  // namespace tobrel
