#include "ui/window/read_health_text.h"

#include <QFileInfo>
#include <QStringList>

#include "ui/widgets/qt_text.h"

namespace tobrel {
namespace {

// What is wrong with one file, or what was done to it; empty for none.
QString HealthProblem(const FileReadHealth& file) {
  QStringList parts;
  if (file.postings == 0) parts << QStringLiteral("発言がありません");
  if (file.stray_headers > 0)
    parts << QStringLiteral("発言ﾍｯﾀﾞらしい行 %1 行を読めませんでした").arg(file.stray_headers);
  return parts.join(QStringLiteral("、"));
}

QString ConversionNotice(const FileReadHealth& file) {
  if (!file.conversion.converted) return {};
  QString text = QStringLiteral("UTF-8 から変換して読み込みました");
  if (file.conversion.unmapped > 0)
    text += QStringLiteral("（Shift-JIS にない %1 文字は \"?\"）").arg(file.conversion.unmapped);
  return text;
}

}  // namespace

ReadHealthTexts MakeReadHealthTexts(const std::vector<FileReadHealth>& files) {
  ReadHealthTexts texts;
  QStringList warnings, notices, details;
  for (const FileReadHealth& file : files) {
    const QString path = PathText(file.path);
    const QString name = QFileInfo(path).fileName();
    if (file.HasWarning()) {
      warnings << name + QStringLiteral(": ") + HealthProblem(file);
      details << path + QStringLiteral(": ") + HealthProblem(file);
    }
    if (file.HasNotice()) {
      notices << name + QStringLiteral(": ") + ConversionNotice(file);
      details << path + QStringLiteral(": ") + ConversionNotice(file);
    }
  }
  texts.warning = !warnings.empty();
  QStringList parts;
  if (!warnings.empty()) parts << QStringLiteral("警告 ") + warnings.join(QStringLiteral(" / "));
  if (!notices.empty()) parts << QStringLiteral("注意 ") + notices.join(QStringLiteral(" / "));
  texts.line = parts.join(QStringLiteral(" / "));
  texts.details = details.join(QStringLiteral("\n"));
  return texts;
}

}  // namespace tobrel
