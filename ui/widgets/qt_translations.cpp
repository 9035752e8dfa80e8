#include "ui/widgets/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tobrel {
namespace {

constexpr char kTranslatorName[] = "tobrel-qt-japanese";

}  // namespace

bool InstallJapaneseQtTexts(QCoreApplication& app) {
  if (app.findChild<QTranslator*>(QLatin1String(kTranslatorName), Qt::FindDirectChildrenOnly))
    return true;
  auto* translator = new QTranslator(&app);
  translator->setObjectName(QLatin1String(kTranslatorName));
  if (!translator->load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  return true;
}

}  // namespace tobrel
