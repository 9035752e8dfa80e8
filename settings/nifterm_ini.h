// The initial folder taken from the outside communication program's
// settings: "NIFTERM.INI" in the Windows folder of the Wine prefix
// (drive_c/windows, names matched ignoring case), section
// "Recent File List", key "File1". Nothing else of that file is read.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tobrel {

// The native folder (ending in "/") of the recent file named in the
// NIFTERM.INI of the Wine prefix `prefix`; nothing, quietly, when the file,
// the key or a drive letter is missing or the file cannot be read.
std::optional<std::string> NiftermRecentFolder(const std::filesystem::path& prefix);

// The same for the prefix of the environment; nothing without a prefix.
std::optional<std::string> NiftermRecentFolder();

// "FOLDERNAME" at start-up: kept when not empty, else the recent folder of
// NIFTERM.INI when there is one.
std::string InitialFolderName(const std::string& stored);

}  // namespace tobrel
