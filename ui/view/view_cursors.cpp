#include "ui/view/view_cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tobrel {
namespace {

// The outline of the usual arrow cursor, tip at (0, 0), pointing up-left.
QPainterPath ArrowOutline() {
  QPainterPath path;
  path.moveTo(0, 0);
  path.lineTo(0, 15);
  path.lineTo(4, 11);
  path.lineTo(7, 18);
  path.lineTo(9, 17);
  path.lineTo(6, 10);
  path.lineTo(11, 10);
  path.closeSubpath();
  return path;
}

QPixmap DrawCursor(void (*draw)(QPainter&)) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  draw(painter);
  return pixmap;
}

}  // namespace

const QCursor& RightArrowCursor() {
  static const QCursor cursor(DrawCursor([](QPainter& painter) {
                                // Mirrored so that the tip points up-right.
                                painter.translate(20, 1);
                                painter.scale(-1, 1);
                                painter.drawPath(ArrowOutline());
                              }),
                              19, 1);
  return cursor;
}

const QCursor& DragSelCopyCursor() {
  static const QCursor cursor(DrawCursor([](QPainter& painter) {
                                painter.translate(1, 1);
                                painter.drawPath(ArrowOutline());
                                painter.drawRect(12, 17, 10, 10);
                                painter.drawLine(14, 22, 20, 22);
                                painter.drawLine(17, 19, 17, 25);
                              }),
                              1, 1);
  return cursor;
}

}  // namespace tobrel
