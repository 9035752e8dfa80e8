// Where the program's texts meet Qt's: CP932 bytes and native file names
// (the bytes the file system gives) to and from QString. A file name is
// shown with PathText, which reads a name that is not UTF-8 as CP932 (as
// the reports do); FromNative and ToNative hand paths to Qt's own file
// functions, which take names as UTF-8.
#pragma once

#include <QFile>
#include <QString>
#include <string>
#include <string_view>

#include "platform/cp932.h"
#include "platform/path_text.h"

namespace tobrel {

inline QString FromCp932(std::string_view cp932_text) {
  return QString::fromStdString(cp932::ToUtf8(cp932_text));
}

inline std::string ToCp932(const QString& text) { return cp932::FromUtf8(text.toStdString()); }

// A native file name as text to show: a CP932 name shows its Japanese
// characters instead of replacement characters.
inline QString PathText(const std::string& native) {
  return QString::fromStdString(PathToUtf8(native));
}

inline QString FromNative(const std::string& native) {
  return QFile::decodeName(QByteArray::fromStdString(native));
}

inline std::string ToNative(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace tobrel
