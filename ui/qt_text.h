// The edge between the program's CP932 text and Qt's Unicode strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "platform/cp932.h"

namespace tobrel {

inline QString QFromCp932(std::string_view cp932) {
  return QString::fromStdString(cp932::ToUtf8(cp932));
}

inline std::string Cp932FromQ(const QString& text) { return cp932::FromUtf8(text.toStdString()); }

// A native path (UTF-8 on this system) to and from Qt.
inline QString QFromNative(const std::string& path) { return QString::fromStdString(path); }
inline std::string NativeFromQ(const QString& path) { return path.toStdString(); }

}  // namespace tobrel
