#include "ui/widgets/dialog_placement.h"

#include <QWidget>

namespace tobrel {

QPoint CenteredTopLeft(const QRect& owner, const QSize& dialog) {
  // Integer division in C++ rounds toward zero, as the halves must.
  return {owner.left() + (owner.width() - dialog.width()) / 2,
          owner.top() + (owner.height() - dialog.height()) / 2};
}

void CenterOverParent(QWidget* dialog) {
  const QWidget* parent = dialog->parentWidget();
  if (!parent) return;
  dialog->move(CenteredTopLeft(parent->window()->frameGeometry(), dialog->frameGeometry().size()));
}

}  // namespace tobrel
