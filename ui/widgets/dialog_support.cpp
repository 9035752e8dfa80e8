#include "ui/widgets/dialog_support.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

#include "platform/cp932.h"

namespace tobrel {
namespace {

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
  PlaceWhenShown(&box);
  box.exec();
}

}  // namespace

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

std::optional<std::string> ChosenFile(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToNative(dialog.selectedFiles().first());
}

void ShowMessageText(QWidget* parent, std::string_view cp932_text, bool beep) {
  if (beep) QApplication::beep();
  // A message box keeps a CR of CR LF as a character of its own.
  ShowBox(parent, QMessageBox::NoIcon,
          FromCp932(cp932_text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void ShowPlatformError(QWidget* parent, const QString& text) {
  ShowBox(parent, QMessageBox::Critical, text);
}

}  // namespace tobrel
