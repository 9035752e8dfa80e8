// Listing a folder with what the program shows of its entries (name, kind,
// size, last-write time), and finding a name in a folder ignoring letter
// case, as Windows file systems do. Symbolic links are followed; an entry
// whose target cannot be reached (a broken link, a loop of links) and
// entries that are neither regular files nor folders are left out.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/date_time.h"

namespace tobrel {

struct FolderEntry {
  std::string name;  // native bytes, as the file system gives them
  bool is_folder = false;
  std::uint64_t size = 0;
  DateTime last_write = 0;  // local time
};

// The entries of `folder` sorted by name ignoring case (the order a Windows
// file system lists them in), "." and ".." left out. A folder that cannot be
// read gives an empty list.
std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder);

// The entry `name` of `folder`: the exact name when it exists, otherwise the
// first entry whose name equals it ignoring ASCII case; nothing when none.
std::optional<FolderEntry> FindEntryIgnoringCase(const std::filesystem::path& folder,
                                                 std::string_view name);

// True when `path` is a folder (links followed; false on any error).
bool IsFolder(const std::filesystem::path& path);

}  // namespace tobrel
