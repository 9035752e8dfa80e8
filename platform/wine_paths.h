// Where Windows paths lie on Linux: the Wine prefix, its drive letters and
// the mapping of a Windows path ("C:\AC97\LOG\", "C:\PROGRA~1\AIRC~JGG\")
// to the native path of the same file, with every component found the way
// Windows would find it: ignoring ASCII case, or by its 8.3 short name.
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

// The native path of `windows_path` (UTF-8) in the prefix: the drive
// letter through `dosdevices/x:` of the prefix, then every component that
// exists resolved: by name ignoring ASCII case (full-width letters do not
// fold), else as the name of an entry that is not UTF-8 read as CP932,
// else as the 8.3 short name of an entry (FindByShortName). The components
// from the first one that is not found on are kept as given. "\" and "/"
// both separate, "." and empty components are dropped, ".." goes up; a
// final separator stays a final "/". Nothing for a path without a drive
// letter (a network share, a relative path) and for a drive the prefix
// does not map or whose link cannot be followed (a loop of links).
std::optional<std::string> MapWindowsPath(const std::filesystem::path& prefix,
                                          std::string_view windows_path);

struct WineDrive {
  char letter = 'c';              // lower case
  std::filesystem::path target;  // the folder the drive stands for
};

// The drives of the prefix whose links lead to a folder, by letter.
std::vector<WineDrive> WineDrives(const std::filesystem::path& prefix);

}  // namespace tobrel
