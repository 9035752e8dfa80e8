#include "settings/nifterm_ini.h"

#include "platform/cp932.h"
#include "platform/failure.h"
#include "platform/folder_listing.h"
#include "platform/private_profile.h"
#include "platform/wine_paths.h"

namespace tobrel {

std::optional<std::string> NiftermRecentFolder(const std::filesystem::path& prefix) {
  std::filesystem::path path = prefix;
  for (const char* name : {"drive_c", "windows", "NIFTERM.INI"}) {
    const auto entry = FindEntryIgnoringCase(path, name);
    if (!entry) return std::nullopt;
    path /= entry->name;
  }
  try {
    const std::string file1 = LoadPrivateProfile(path).ReadString("Recent File List", "File1", "");
    if (file1.empty()) return std::nullopt;
    // The folder part: up to and including the last separator.
    const std::string windows_path = cp932::ToUtf8(file1);
    const std::size_t last = windows_path.find_last_of("\\/");
    if (last == std::string::npos) return std::nullopt;
    const auto folder = MapWindowsPath(prefix, windows_path.substr(0, last));
    if (!folder) return std::nullopt;
    std::string text = *folder;
    if (text.empty() || text.back() != '/') text += '/';
    return text;
  } catch (const Failure&) {
    return std::nullopt;
  }
}

std::optional<std::string> NiftermRecentFolder() {
  return NiftermRecentFolder(DefaultWinePrefix());
}

std::string InitialFolderName(const std::string& stored) {
  if (!stored.empty()) return stored;
  return NiftermRecentFolder().value_or("");
}

}  // namespace tobrel
