// How the window draws its charts: the font of every text and the colours,
// which follow the result view's text and background colours so that the
// charts sit beside the report in the same look. Series take their colours
// in turn from a palette that reads on light and dark backgrounds alike.
#pragma once

#include <QColor>
#include <QFont>
#include <cstddef>

namespace tobrel {

struct ChartLook {
  QFont font;
  QColor text = Qt::black;
  QColor background = Qt::white;

  // The colour of series `index`, the palette repeating after its last colour.
  static QColor SeriesColor(std::size_t index);
  // The bars of marked categories.
  static QColor MarkedColor() { return QColor(0xd6, 0x27, 0x28); }
  // Grid lines: the text colour faded into the background.
  QColor GridColor() const;
  // The font of titles: bold, a fifth larger (in points or in pixels, as
  // `font` has its size).
  QFont TitleFont() const;
};

}  // namespace tobrel
