// Windows paths seen from Linux through the Wine prefix: the prefix itself
// ($WINEPREFIX, default ~/.wine), names looked up ignoring ASCII case as
// Windows does, and a Windows path ("C:\DIR\FILE") mapped to a native one
// through the prefix's drive links.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace tobrel {

// The Wine prefix folder, or nothing when it does not exist.
std::optional<std::filesystem::path> WinePrefix();

// The entry of `folder` whose name equals `name` ignoring ASCII case (an
// exact match first), or nothing.
std::optional<std::filesystem::path> FindNameIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name);

// The native path of a Windows path "X:\a\b" (separators "\" or "/"):
// the drive through `prefix`/dosdevices/x:, each component resolved
// ignoring case where it exists and kept as written where it does not.
// Gives nothing for a path without a drive letter.
std::optional<std::filesystem::path> MapWindowsPath(const std::filesystem::path& prefix,
                                                    std::string_view windows_path);

}  // namespace tobrel
