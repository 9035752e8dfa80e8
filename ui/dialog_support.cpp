#include "ui/dialog_support.h"

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
  box.exec();
}

}  // namespace

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

std::optional<std::string> ChosenFile(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return NativePath(dialog.selectedFiles().first());
}

QString QtText(std::string_view cp932_text) {
  return QString::fromStdString(cp932::ToUtf8(cp932_text));
}

std::string Cp932Text(const QString& text) { return cp932::FromUtf8(text.toStdString()); }

QString QtPath(const std::string& native_path) {
  return QFile::decodeName(QByteArray::fromStdString(native_path));
}

std::string NativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QPoint CentredTopLeft(const QRect& owner, const QSize& dialog) {
  // C++ integer division rounds toward zero, as the halves must.
  return {owner.left() + (owner.width() - dialog.width()) / 2,
          owner.top() + (owner.height() - dialog.height()) / 2};
}

void CentreOverOwner(QWidget* dialog) {
  const QWidget* parent = dialog->parentWidget();
  if (!parent) return;
  dialog->move(CentredTopLeft(parent->window()->frameGeometry(), dialog->frameGeometry().size()));
}

void ShowMessageText(QWidget* parent, std::string_view cp932_text, bool beep) {
  if (beep) QApplication::beep();
  ShowBox(parent, QMessageBox::NoIcon, QtText(cp932_text));
}

void ShowPlatformError(QWidget* parent, const QString& text) {
  ShowBox(parent, QMessageBox::Critical, text);
}

}  // namespace tobrel
