#include "platform/wine_paths.h"

#include <cstdlib>
#include <string>
#include <system_error>

namespace tobrel {
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x -= 32;
    if (y >= 'a' && y <= 'z') y -= 32;
    if (x != y) return false;
  }
  return true;
}

}  // namespace

std::optional<std::filesystem::path> WinePrefix() {
  std::filesystem::path prefix;
  if (const char* env = std::getenv("WINEPREFIX"); env && *env) {
    prefix = env;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    prefix = std::filesystem::path(home) / ".wine";
  } else {
    return std::nullopt;
  }
  std::error_code error;
  if (!std::filesystem::is_directory(prefix, error)) return std::nullopt;
  return prefix;
}

std::optional<std::filesystem::path> FindNameIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name) {
  std::error_code error;
  if (name.empty()) return std::nullopt;
  if (std::filesystem::exists(folder / name, error)) return folder / name;
  std::filesystem::directory_iterator entries(folder, error);
  if (error) return std::nullopt;
  for (const auto& entry : entries)
    if (EqualIgnoringCase(entry.path().filename().string(), name)) return entry.path();
  return std::nullopt;
}

std::optional<std::filesystem::path> MapWindowsPath(const std::filesystem::path& prefix,
                                                    std::string_view windows_path) {
  if (windows_path.size() < 2 || windows_path[1] != ':') return std::nullopt;
  const char letter = windows_path[0];
  if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))) return std::nullopt;
  const char drive[] = {static_cast<char>(letter | 0x20), ':', '\0'};
  std::filesystem::path path = prefix / "dosdevices" / drive;
  std::size_t start = 2;
  while (start <= windows_path.size()) {
    std::size_t end = windows_path.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = windows_path.size();
    const std::string_view component = windows_path.substr(start, end - start);
    if (!component.empty() && component != ".") {
      const auto found = FindNameIgnoringCase(path, component);
      path = found ? *found : path / component;
    }
    start = end + 1;
  }
  return path;
}

}  // namespace tobrel
