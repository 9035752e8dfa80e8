#include "ui/widgets/dialog_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tobrel {
namespace {

// The screen a frame at `frame` appears on.
const QScreen* ScreenFor(const QRect& frame, const QWidget* dialog) {
  if (const QScreen* screen = QGuiApplication::screenAt(frame.center())) return screen;
  if (const QWidget* parent = dialog->parentWidget())
    if (const QScreen* screen = parent->window()->screen()) return screen;
  return QGuiApplication::primaryScreen();
}

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

}  // namespace tobrel
