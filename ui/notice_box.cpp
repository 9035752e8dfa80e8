#include "ui/notice_box.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/qt_text.h"

namespace tobrel {

void ShowNotice(QWidget* parent, std::string_view cp932_text, bool beep) {
  if (beep) QApplication::beep();
  QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                  FromCp932(cp932_text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                  QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace tobrel
