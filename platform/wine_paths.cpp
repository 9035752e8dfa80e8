#include "platform/wine_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "platform/cp932.h"
#include "platform/folder_listing.h"
#include "platform/short_names.h"
#include "platform/text_case.h"
#include "platform/utf8_check.h"

namespace tobrel {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The entry of `folder` that a component of a Windows path names: by name
// ignoring case; else, for a component with other than ASCII characters,
// an entry whose name is not UTF-8 but CP932 text equal to it; else, for a
// component with a "~", the entry whose short name it is.
std::optional<FolderEntry> FindComponent(const std::filesystem::path& folder,
                                         std::string_view component) {
  if (auto entry = FindEntryIgnoringCase(folder, component)) return entry;
  const bool ascii = std::all_of(component.begin(), component.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  const bool tilde = component.find('~') != std::string_view::npos;
  if (ascii && !tilde) return std::nullopt;
  std::vector<FolderEntry> entries = ListFolder(folder);
  if (!ascii) {
    for (FolderEntry& entry : entries)
      if (!IsValidUtf8(entry.name) && EqualsIgnoringCase(cp932::ToUtf8(entry.name), component))
        return std::move(entry);
    return std::nullopt;
  }
  std::vector<std::string> names;
  names.reserve(entries.size());
  for (const FolderEntry& entry : entries) names.push_back(entry.name);
  if (const auto found = FindByShortName(names, component)) return std::move(entries[*found]);
  return std::nullopt;
}

}  // namespace

std::filesystem::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return "/";
}

std::filesystem::path DefaultWinePrefix() {
  if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) return prefix;
  return HomeFolder() / ".wine";
}

std::optional<std::string> MapWindowsPath(const std::filesystem::path& prefix,
                                          std::string_view windows_path) {
  if (windows_path.size() < 2 || windows_path[1] != ':') return std::nullopt;
  const char letter = windows_path[0];
  if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))) return std::nullopt;
  const std::filesystem::path devices = prefix / "dosdevices";
  const auto drive = FindEntryIgnoringCase(devices, std::string{letter, ':'});
  if (!drive || !drive->is_folder) return std::nullopt;

  // The components after the drive, "." and ".." applied.
  std::vector<std::string_view> components;
  for (std::size_t pos = 2; pos < windows_path.size();) {
    std::size_t end = pos;
    while (end < windows_path.size() && !IsSeparator(windows_path[end])) ++end;
    const std::string_view component = windows_path.substr(pos, end - pos);
    if (component == "..") {
      if (!components.empty()) components.pop_back();
    } else if (!component.empty() && component != ".") {
      components.push_back(component);
    }
    pos = end + 1;
  }

  std::filesystem::path native = devices / drive->name;
  bool resolving = true;
  for (const std::string_view component : components) {
    std::optional<FolderEntry> entry;
    if (resolving) entry = FindComponent(native, component);
    resolving = entry.has_value();
    native /= entry ? entry->name : std::string(component);
  }
  std::string result = native.string();
  if (IsSeparator(windows_path.back()) && result.back() != '/') result += '/';
  return result;
}

std::vector<WineDrive> WineDrives(const std::filesystem::path& prefix) {
  std::vector<WineDrive> drives;
  const std::filesystem::path devices = prefix / "dosdevices";
  for (const FolderEntry& entry : ListFolder(devices)) {
    if (!entry.is_folder || entry.name.size() != 2 || entry.name[1] != ':') continue;
    const char letter = UpperAscii(entry.name)[0];
    if (letter < 'A' || letter > 'Z') continue;
    if (!drives.empty() && drives.back().letter == letter - 'A' + 'a') continue;  // "C:" and "c:"
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(devices / entry.name, error);
    if (!error) drives.push_back({static_cast<char>(letter - 'A' + 'a'), target});
  }
  return drives;
}

}  // namespace tobrel
