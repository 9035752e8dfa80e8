#include "ui/charts/chart_look.h"

namespace tobrel {

QColor ChartLook::SeriesColor(std::size_t index) {
  static const QRgb kPalette[] = {0x1f77b4, 0xff7f0e, 0x2ca02c, 0x9467bd, 0x8c564b,
                                  0xe377c2, 0x7f7f7f, 0xbcbd22, 0x17becf, 0x393b79};
  return QColor::fromRgb(kPalette[index % std::size(kPalette)]);
}

QColor ChartLook::GridColor() const {
  const auto mix = [](int text, int back) { return (text + 4 * back) / 5; };
  return QColor(mix(text.red(), background.red()), mix(text.green(), background.green()),
                mix(text.blue(), background.blue()));
}

QFont ChartLook::TitleFont() const {
  QFont title = font;
  title.setBold(true);
  if (font.pointSizeF() > 0)
    title.setPointSizeF(font.pointSizeF() * 1.2);
  else
    title.setPixelSize(font.pixelSize() * 6 / 5);
  return title;
}

}  // namespace tobrel
