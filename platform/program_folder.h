// Where the files "beside the program" go on Linux (the settings file, the
// read-data files): beside the program only when its settings file already
// stands there (a portable install), otherwise in $XDG_CONFIG_HOME/tobrel/
// (by default ~/.config/tobrel/). A writable program folder alone is not a
// portable install.
#pragma once

#include <filesystem>
#include <string>

namespace tobrel {

// The settings file's name for the program file at `program_path`: its name
// without extension in upper case, with ".INI" (tobrel gives TOBREL.INI).
std::string SettingsFileName(const std::filesystem::path& program_path);

// The rule itself: the folder of `program_path` when the settings file
// stands there, else "tobrel" under `xdg_config_home` when that is an
// absolute path, else under `home`/.config (./.config without a home).
std::filesystem::path ChooseFilesFolder(const std::filesystem::path& program_path,
                                        const char* xdg_config_home, const char* home);

// The rule for `program_path` with this process's XDG_CONFIG_HOME and HOME.
// Creates nothing.
std::filesystem::path FilesFolder(const std::filesystem::path& program_path);

// The folder of the cache of parsed logs: "tobrel" under `xdg_cache_home`
// when that is an absolute path (a relative or empty one is ignored), else
// under `home`/.cache (./.cache without a home).
std::filesystem::path ChooseCacheFolder(const char* xdg_cache_home, const char* home);

// The rule with this process's XDG_CACHE_HOME and HOME. Creates nothing.
std::filesystem::path CacheFolder();

// FilesFolder of the running program, created when missing. Throws
// std::filesystem::filesystem_error when it cannot be created.
std::filesystem::path FilesBesideProgramFolder();

}  // namespace tobrel
