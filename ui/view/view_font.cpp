#include "ui/view/view_font.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

namespace tobrel {

namespace {

// True when the Latin glyphs of `family` all have the same advance.
bool HasFixedLatinAdvance(const QString& family) {
  QFont font(family);
  font.setStyleStrategy(QFont::NoFontMerging);
  const QFontMetricsF metrics(font);
  const qreal advance = metrics.horizontalAdvance(QLatin1Char('M'));
  for (const QChar c : QStringLiteral("iWl.0_ "))
    if (qAbs(metrics.horizontalAdvance(c) - advance) > 0.01) return false;
  return advance > 0;
}

}  // namespace

QStringList JapaneseFixedFamilies() {
  QStringList fixed;
  for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese))
    if (!QFontDatabase::isPrivateFamily(family) && HasFixedLatinAdvance(family)) fixed << family;
  return fixed;
}

QString JapaneseFixedFamily() {
  static const QString family = [] {
    const QStringList fixed = JapaneseFixedFamilies();
    for (const QString& preferred : {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic")})
      if (fixed.contains(preferred)) return preferred;
    return fixed.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont).family()
                           : fixed.front();
  }();
  return family;
}

QFont ResolveViewFont(const QString& name, int point_size) {
  const bool installed = name.compare(QLatin1String(kDefaultViewFontName), Qt::CaseInsensitive) != 0 &&
                         QFontDatabase::hasFamily(name);
  QFont font(installed ? name : JapaneseFixedFamily());
  font.setPointSize(point_size > 0 ? point_size : kDefaultViewFontSize);
  font.setStyleHint(QFont::TypeWriter);
  font.setKerning(false);
  return font;
}

}  // namespace tobrel
