#include "platform/path_text.h"

#include <sys/stat.h>

#include <algorithm>

#include "platform/cp932.h"
#include "platform/utf8_check.h"

namespace tobrel {
namespace {

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// True when something has that name, a dangling link included.
bool NameExists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::string PathToCp932(std::string_view native) {
  if (IsAscii(native) || !IsValidUtf8(native)) return std::string(native);
  return cp932::FromUtf8(native);
}

std::string PathFromCp932(std::string_view cp932) {
  std::string bytes(cp932);
  if (IsAscii(bytes)) return bytes;
  std::string converted = cp932::ToUtf8(bytes);
  if (NameExists(converted)) return converted;
  if (NameExists(bytes)) return bytes;
  return cp932::FromUtf8(converted) == bytes ? converted : bytes;
}

std::string PathToUtf8(std::string_view native) {
  if (IsValidUtf8(native)) return std::string(native);
  return cp932::ToUtf8(native);
}

}  // namespace tobrel
