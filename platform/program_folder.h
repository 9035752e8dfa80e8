// Where the files "beside the program" go on Linux: the program's own folder
// when it can be written (a portable install), otherwise
// $XDG_CONFIG_HOME/tobrel/ (by default ~/.config/tobrel/).
#pragma once

#include <filesystem>

namespace tobrel {

// The folder of the running program file (/proc/self/exe).
std::filesystem::path ProgramFolder();

// The program's folder when writable, else the configuration folder, created
// when missing. Throws std::filesystem::filesystem_error when it cannot be.
std::filesystem::path FilesBesideProgramFolder();

// The rule itself, for tests: `program_folder` when writable, else the
// tobrel folder under $XDG_CONFIG_HOME (or `home`/.config).
std::filesystem::path ChooseFilesFolder(const std::filesystem::path& program_folder,
                                        const char* xdg_config_home, const char* home);

}  // namespace tobrel
