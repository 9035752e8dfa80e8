#include "settings/nifterm_ini.h"

#include <system_error>

#include "platform/cp932.h"
#include "platform/private_profile.h"
#include "platform/wine_paths.h"

namespace tobrel {

std::optional<std::string> NiftermRecentFolder(const std::filesystem::path& prefix) {
  std::optional<std::filesystem::path> windows = FindNameIgnoringCase(prefix, "drive_c");
  if (windows) windows = FindNameIgnoringCase(*windows, "windows");
  if (!windows) return std::nullopt;
  const auto ini_path = FindNameIgnoringCase(*windows, "NIFTERM.INI");
  if (!ini_path) return std::nullopt;
  try {
    const std::string file1 =
        LoadPrivateProfile(*ini_path).ReadString("Recent File List", "File1", "");
    if (file1.empty()) return std::nullopt;
    // The folder part: up to and including the last separator.
    const std::string windows_path = cp932::ToUtf8(file1);
    const std::size_t last = windows_path.find_last_of("\\/");
    if (last == std::string::npos) return std::nullopt;
    const auto folder = MapWindowsPath(prefix, windows_path.substr(0, last));
    if (!folder) return std::nullopt;
    std::string text = folder->string();
    if (text.empty() || text.back() != '/') text += '/';
    return text;
  } catch (const std::system_error&) {
    return std::nullopt;
  }
}

std::optional<std::string> NiftermRecentFolder() {
  const auto prefix = WinePrefix();
  if (!prefix) return std::nullopt;
  return NiftermRecentFolder(*prefix);
}

std::string InitialFolderName(const std::string& stored) {
  if (!stored.empty()) return stored;
  return NiftermRecentFolder().value_or("");
}

}  // namespace tobrel
