#include "ui/view/view_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace tobrel {

QString JapaneseFixedFamily() {
  static const QString family = [] {
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& preferred : {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic")})
      if (japanese.contains(preferred)) return preferred;
    for (const QString& candidate : japanese)
      if (QFontDatabase::isFixedPitch(candidate)) return candidate;
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
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
