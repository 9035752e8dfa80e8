// Where the settings file lives and loading and saving it whole. The file is
// named after the program file in upper case with ".INI" (tobrel gives
// TOBREL.INI); it lives beside the program when it already stands there (a
// portable install), else in $XDG_CONFIG_HOME/tobrel/ (default
// ~/.config/tobrel/): platform/program_folder.h.
#pragma once

#include <filesystem>
#include <string>

#include "platform/failure.h"
#include "settings/settings.h"

namespace tobrel {

// The settings file of the program at `program_path`.
std::filesystem::path SettingsFilePath(const std::filesystem::path& program_path);

// The file's values; a missing file gives the defaults. Throws
// Failure (RegularFileFailure) when an existing file cannot be read,
// is no regular file or is larger than 16 MiB.
TobrelSettings LoadSettingsFile(const std::filesystem::path& path, DateTime today);

// Writes `settings` into the file at `path`, keeping its other lines, and
// creates the file's folder when needed. Throws Failure, with file() the
// path and code() the system's error, when it cannot, and the old file is
// then intact: of kind FileUnreadable when the existing file cannot be read
// (RegularFileFailure), FileUnwritable when it or its folder cannot be
// written (WriteFailure, platform/atomic_file.h).
void SaveSettingsFile(const std::filesystem::path& path, const TobrelSettings& settings);

}  // namespace tobrel
