// Each icon is drawn at 16 x 16 and 32 x 32 from the same recipe on a
// 16-unit grid: a base shape (folder, page, disk, chart, ...) and, for some,
// a small badge (a cross, an arrow, a letter) in the lower right corner.
#include "ui/window/tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tobrel {
namespace {

const QColor kInk(40, 40, 48);
const QColor kFolder(232, 184, 64);
const QColor kPaper(250, 250, 246);
const QColor kBlue(52, 110, 200);
const QColor kGreen(46, 150, 80);
const QColor kRed(200, 52, 52);
const QColor kPurple(130, 80, 170);

void Folder(QPainter& p, const QColor& tint) {
  QPainterPath path;
  path.moveTo(1, 4);
  path.lineTo(6, 4);
  path.lineTo(7, 5.5);
  path.lineTo(14.5, 5.5);
  path.lineTo(14.5, 13.5);
  path.lineTo(1, 13.5);
  path.closeSubpath();
  p.setBrush(tint);
  p.drawPath(path);
}

void Page(QPainter& p) {
  QPainterPath path;
  path.moveTo(3, 1.5);
  path.lineTo(10, 1.5);
  path.lineTo(13, 4.5);
  path.lineTo(13, 14.5);
  path.lineTo(3, 14.5);
  path.closeSubpath();
  p.setBrush(kPaper);
  p.drawPath(path);
  for (int y = 5; y <= 12; y += 2) p.drawLine(QPointF(5, y), QPointF(11, y));
}

void Chart(QPainter& p, const QColor& tint, int style) {
  p.setBrush(kPaper);
  p.drawRect(QRectF(1.5, 1.5, 13, 13));
  p.setBrush(tint);
  const int heights[4][3] = {{6, 10, 4}, {4, 7, 10}, {9, 5, 7}, {5, 9, 11}};
  for (int i = 0; i < 3; ++i) {
    const double h = heights[style % 4][i];
    p.drawRect(QRectF(3.5 + i * 3.5, 13 - h, 2.5, h));
  }
}

void Badge(QPainter& p, const QColor& tint, const QString& letter) {
  p.setBrush(tint);
  p.drawEllipse(QRectF(8, 8, 7.5, 7.5));
  p.setPen(Qt::white);
  QFont font = p.font();
  font.setPixelSize(7);
  font.setBold(true);
  p.setFont(font);
  p.drawText(QRectF(8, 8, 7.5, 7.5), Qt::AlignCenter, letter);
  p.setPen(QPen(kInk, 1));
}

void Cross(QPainter& p) {
  p.setPen(QPen(kRed, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(9, 9), QPointF(14.5, 14.5));
  p.drawLine(QPointF(14.5, 9), QPointF(9, 14.5));
  p.setPen(QPen(kInk, 1));
}

void Draw(QPainter& p, int index) {
  p.setPen(QPen(kInk, 1));
  switch (index) {
    case 0: Folder(p, kFolder); break;                      // log file selection
    case 1: Folder(p, kFolder); Badge(p, kBlue, "A"); break;  // room logs
    case 2:                                                  // save
      p.setBrush(kBlue);
      p.drawRect(QRectF(1.5, 1.5, 13, 13));
      p.setBrush(kPaper);
      p.drawRect(QRectF(4, 1.5, 8, 5));
      p.drawRect(QRectF(4, 9.5, 8, 5));
      break;
    case 3:  // read the logs
      Page(p);
      p.setPen(QPen(kGreen, 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(12, 7), QPointF(12, 14));
      p.drawLine(QPointF(9.5, 11.5), QPointF(12, 14));
      p.drawLine(QPointF(14.5, 11.5), QPointF(12, 14));
      break;
    case 4: Folder(p, kFolder); Cross(p); break;   // clear the list
    case 5: Page(p); Cross(p); break;              // clear the read data
    case 6: Chart(p, kBlue, 0); break;             // posting-count page
    case 7: Chart(p, kGreen, 1); break;            // quotation page
    case 8: Chart(p, kPurple, 2); break;           // comment page
    case 9: {                                      // run the tally
      QPainterPath path;
      path.moveTo(3, 2);
      path.lineTo(14, 8);
      path.lineTo(3, 14);
      path.closeSubpath();
      p.setBrush(kGreen);
      p.drawPath(path);
      break;
    }
    case 10: Badge(p, kBlue, "?"); p.drawEllipse(QRectF(1.5, 1.5, 13, 13)); break;  // help
    case 11:                                                                         // exit
      p.setBrush(kPaper);
      p.drawRect(QRectF(2.5, 1.5, 8, 13));
      p.setPen(QPen(kRed, 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(7, 8), QPointF(14.5, 8));
      p.drawLine(QPointF(12, 5.5), QPointF(14.5, 8));
      p.drawLine(QPointF(12, 10.5), QPointF(14.5, 8));
      break;
    case 12:  // target range
      p.setBrush(kPaper);
      p.drawRect(QRectF(1.5, 2.5, 13, 12));
      p.setBrush(kRed);
      p.drawRect(QRectF(1.5, 2.5, 13, 3));
      p.setBrush(kInk);
      for (int i = 0; i < 3; ++i) p.drawRect(QRectF(3.5 + i * 3.5, 8, 1.5, 1.5));
      break;
    case 13: p.setBrush(kBlue); p.drawEllipse(QRectF(1.5, 1.5, 13, 13)); Badge(p, kBlue, "i"); break;
    case 14: Chart(p, kRed, 3); break;                      // statistics page
    case 15: Folder(p, kFolder); Badge(p, kGreen, "F"); break;  // folder list
    case 16: Chart(p, kBlue, 1); Badge(p, kRed, "M"); break;    // monthly page
    case 17: Page(p); Badge(p, kRed, "!"); break;               // excluded postings
    case 18: Page(p); Badge(p, kGreen, "D"); break;             // read-data file
    case 19: Page(p); Badge(p, kPurple, "P"); break;            // processing output
    case 20:                                                    // find
      p.setBrush(kPaper);
      p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
      p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
      break;
    case 21:  // external editor
      Page(p);
      p.setPen(QPen(kBlue, 2.5, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(8, 14), QPointF(14.5, 7.5));
      break;
    default: break;
  }
}

QPixmap Render(int index, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 16.0, size / 16.0);
  Draw(painter, index);
  return pixmap;
}

}  // namespace

QIcon ToolIcon(int index) {
  if (index < 0 || index >= kToolImageCount) return {};
  QIcon icon;
  icon.addPixmap(Render(index, 16));
  icon.addPixmap(Render(index, 32));
  return icon;
}

}  // namespace tobrel
