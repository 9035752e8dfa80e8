// Where the program's texts meet Qt's: CP932 bytes and native file names
// (the bytes the file system gives) to and from QString.
#pragma once

#include <QFile>
#include <QString>
#include <string>
#include <string_view>

#include "platform/cp932.h"

namespace tobrel {

inline QString FromCp932(std::string_view cp932_text) {
  return QString::fromStdString(cp932::ToUtf8(cp932_text));
}

inline std::string ToCp932(const QString& text) { return cp932::FromUtf8(text.toStdString()); }

inline QString FromNative(const std::string& native) {
  return QFile::decodeName(QByteArray::fromStdString(native));
}

inline std::string ToNative(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace tobrel
