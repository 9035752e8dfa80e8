#include "platform/program_folder.h"

#include <cstdlib>
#include <system_error>

namespace tobrel {
namespace {

std::filesystem::path RunningProgram() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path() / "tobrel" : program;
}

}  // namespace

std::string SettingsFileName(const std::filesystem::path& program_path) {
  std::string name = program_path.stem().string();
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return name + ".INI";
}

std::filesystem::path ChooseFilesFolder(const std::filesystem::path& program_path,
                                        const char* xdg_config_home, const char* home) {
  const std::filesystem::path beside = program_path.parent_path();
  std::error_code error;
  if (std::filesystem::exists(beside / SettingsFileName(program_path), error)) return beside;
  // The XDG rule: a relative or empty XDG_CONFIG_HOME is ignored.
  if (xdg_config_home && xdg_config_home[0] == '/')
    return std::filesystem::path(xdg_config_home) / "tobrel";
  return std::filesystem::path(home && home[0] ? home : ".") / ".config" / "tobrel";
}

std::filesystem::path FilesFolder(const std::filesystem::path& program_path) {
  return ChooseFilesFolder(program_path, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::filesystem::path ChooseCacheFolder(const char* xdg_cache_home, const char* home) {
  if (xdg_cache_home && xdg_cache_home[0] == '/')
    return std::filesystem::path(xdg_cache_home) / "tobrel";
  return std::filesystem::path(home && home[0] ? home : ".") / ".cache" / "tobrel";
}

std::filesystem::path CacheFolder() {
  return ChooseCacheFolder(std::getenv("XDG_CACHE_HOME"), std::getenv("HOME"));
}

std::filesystem::path FilesBesideProgramFolder() {
  const std::filesystem::path folder = FilesFolder(RunningProgram());
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace tobrel
