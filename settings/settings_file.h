// Where the settings file lives and loading and saving it whole. The file is
// named after the program file in upper case with ".INI" (tobrel gives
// TOBREL.INI); it lives beside the program when that folder is writable,
// else in $XDG_CONFIG_HOME/tobrel/ (default ~/.config/tobrel/).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "settings/settings.h"

namespace tobrel {

// The settings file of the program at `program_path`.
std::filesystem::path SettingsFilePath(const std::filesystem::path& program_path);

// The file's values; a missing file gives the defaults. Throws
// Failure (RegularFileFailure) when an existing file cannot be read,
// is no regular file or is larger than 16 MiB.
TobrelSettings LoadSettingsFile(const std::filesystem::path& path, DateTime today);

// Writes `settings` into the file at `path`, keeping its other lines, and
// creates the file's folder when needed. Gives nothing when it was written,
// or a message (UTF-8, naming the path) when it could not be; the old file
// is then intact.
std::optional<std::string> SaveSettingsFile(const std::filesystem::path& path,
                                            const TobrelSettings& settings);

}  // namespace tobrel
