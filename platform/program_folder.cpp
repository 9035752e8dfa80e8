#include "platform/program_folder.h"

#include <unistd.h>

#include <cstdlib>

namespace tobrel {

std::filesystem::path ProgramFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path() : program.parent_path();
}

std::filesystem::path ChooseFilesFolder(const std::filesystem::path& program_folder,
                                        const char* xdg_config_home, const char* home) {
  if (!program_folder.empty() && ::access(program_folder.c_str(), W_OK) == 0) return program_folder;
  // The XDG rule: a relative or empty XDG_CONFIG_HOME is ignored.
  if (xdg_config_home && xdg_config_home[0] == '/')
    return std::filesystem::path(xdg_config_home) / "tobrel";
  return std::filesystem::path(home && home[0] ? home : ".") / ".config" / "tobrel";
}

std::filesystem::path FilesBesideProgramFolder() {
  const std::filesystem::path folder =
      ChooseFilesFolder(ProgramFolder(), std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace tobrel
