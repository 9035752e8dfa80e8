#include "ui/widgets/file_failure_box.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/widgets/dialog_placement.h"
#include "ui/widgets/failure_text.h"
#include "ui/widgets/qt_text.h"

namespace tobrel {

QString FileFailureText(const std::filesystem::path& file, std::error_code code,
                        FileAccess access) {
  const char* reason = FileFailureReason(code, access);
  const QString why = reason ? QString::fromUtf8(reason) : QString::fromLocal8Bit(code.message());
  const QString what = access == FileAccess::kWrite ? QStringLiteral(" に書き込めません")
                                                    : QStringLiteral(" を読み込めません");
  return PathText(file.string()) + what + QLatin1Char('\n') + why;
}

QString FileFailureText(const Failure& failure) {
  const bool file_kind = failure.kind() == FailureKind::FileUnwritable ||
                         failure.kind() == FailureKind::FileUnreadable;
  if (!file_kind || failure.file().empty() || !failure.code()) return FailureText(failure);
  return FileFailureText(failure.file(), failure.code(),
                         failure.kind() == FailureKind::FileUnwritable ? FileAccess::kWrite
                                                                       : FileAccess::kRead);
}

void ShowFileFailure(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, parent);
  PlaceWhenShown(&box);
  box.exec();
}

}  // namespace tobrel
