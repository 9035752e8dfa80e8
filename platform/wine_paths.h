// Where Windows paths lie on Linux: the Wine prefix, its drive letters and
// the mapping of a Windows path ("C:\AC97\LOG\") to the native path of the
// same file, with every component found ignoring ASCII case as Windows
// would find it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tobrel {

// The user's home folder: $HOME, or the password database's entry.
std::filesystem::path HomeFolder();

// The Wine prefix: $WINEPREFIX, or ~/.wine when it is unset or empty.
std::filesystem::path DefaultWinePrefix();

// The native path (UTF-8) of `windows_path` (UTF-8) in the prefix: the
// drive letter through `dosdevices/x:` of the prefix, then every component
// that exists resolved ignoring case; the components from the first one
// that does not exist on are kept as given. "\" and "/" both separate, "."
// and empty components are dropped, ".." goes up; a final separator stays
// a final "/". Nothing for a path without a drive letter (a network share,
// a relative path) and for a drive the prefix does not map or whose link
// cannot be followed (a loop of links).
std::optional<std::string> MapWindowsPath(const std::filesystem::path& prefix,
                                          std::string_view windows_path);

struct WineDrive {
  char letter = 'c';              // lower case
  std::filesystem::path target;  // the folder the drive stands for
};

// The drives of the prefix whose links lead to a folder, by letter.
std::vector<WineDrive> WineDrives(const std::filesystem::path& prefix);

}  // namespace tobrel
