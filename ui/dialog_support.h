// What the dialogs of the exclusion rules and of the processing output share:
// the program's CP932 texts and native file names as Qt strings, the place
// of a modal dialog over the window that opens it, and the plain message
// boxes they show.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <string>
#include <string_view>

class QWidget;

namespace tobrel {

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
