// What the dialogs share besides the text conversions of ui/widgets/qt_text.h and
// the placement of ui/widgets/dialog_placement.h: captions, control names, file
// choices and the plain message boxes they show.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "ui/widgets/dialog_placement.h"
#include "ui/widgets/qt_text.h"

class QFileDialog;
class QWidget;

namespace tobrel {

// A UTF-8 text of the sources (captions written in the code) as a Qt string.
QString U(const char* utf8);

// Gives `widget` the object name `name` (the control's name) and returns it.
template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// Shows a file dialog modally: the native path of the chosen file, or
// nothing when it was cancelled.
std::optional<std::string> ChosenFile(QFileDialog& dialog);

// A message box with `cp932_text` and an OK button over `parent`, after the
// system beep when `beep` is set; titled with the application's name. The
// text's CR LF line ends break it into lines.
void ShowMessageText(QWidget* parent, std::string_view cp932_text, bool beep);

// The application's general error box for a failure of the platform (a file
// that cannot be read or written) with the platform's message.
void ShowPlatformError(QWidget* parent, const QString& text);

}  // namespace tobrel
