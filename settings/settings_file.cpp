#include "settings/settings_file.h"

#include <unistd.h>

#include <cstdlib>

#include "platform/atomic_file.h"
#include "platform/failure.h"

namespace tobrel {

std::filesystem::path SettingsFilePath(const std::filesystem::path& program_path) {
  std::string name = program_path.stem().string();
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  name += ".INI";

  const std::filesystem::path beside = program_path.parent_path();
  if (!beside.empty() && ::access(beside.c_str(), W_OK) == 0) return beside / name;

  std::filesystem::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    config = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    config = std::filesystem::path(home) / ".config";
  } else {
    config = ".config";
  }
  return config / "tobrel" / name;
}

TobrelSettings LoadSettingsFile(const std::filesystem::path& path, DateTime today) {
  return ReadSettings(LoadPrivateProfile(path), today);
}

void SaveSettingsFile(const std::filesystem::path& path, const TobrelSettings& settings) {
  PrivateProfile ini = LoadPrivateProfile(path);
  WriteSettings(settings, ini);
  if (path.has_parent_path()) {
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error) throw WriteFailure(path, error.value());
  }
  SavePrivateProfile(path, ini);
}

}  // namespace tobrel
