// What the dialogs of the exclusion rules and of the processing output share:
// the program's CP932 texts and native file names as Qt strings, the place
// of a modal dialog over the window that opens it, and the plain message
// boxes they show.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

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

QString QtText(std::string_view cp932_text);
std::string Cp932Text(const QString& text);
QString QtPath(const std::string& native_path);
std::string NativePath(const QString& path);

// The top left corner of a dialog of `dialog` size centred over `owner`:
// left = owner left + (owner width - dialog width) / 2, top likewise, the
// halves rounded toward zero.
QPoint CentredTopLeft(const QRect& owner, const QSize& dialog);

// Moves `dialog` to CentredTopLeft over the window of its parent widget; a
// dialog without a parent stays where it is.
void CentreOverOwner(QWidget* dialog);

// A message box with `cp932_text` and an OK button over `parent`, after the
// system beep when `beep` is set; titled with the application's name.
void ShowMessageText(QWidget* parent, std::string_view cp932_text, bool beep);

// The application's general error box for a failure of the platform (a file
// that cannot be read or written) with the platform's message.
void ShowPlatformError(QWidget* parent, const QString& text);

}  // namespace tobrel
