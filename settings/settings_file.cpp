#include "settings/settings_file.h"

#include <system_error>

#include "platform/atomic_file.h"
#include "platform/failure.h"
#include "platform/program_folder.h"

namespace tobrel {

std::filesystem::path SettingsFilePath(const std::filesystem::path& program_path) {
  return FilesFolder(program_path) / SettingsFileName(program_path);
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
