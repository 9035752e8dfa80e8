#include "platform/folder_listing.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <system_error>

#include "platform/text_case.h"

namespace tobrel {
namespace {

// The entry for the file at `path` named `name`, or nothing when it cannot
// be reached or is neither a regular file nor a folder.
std::optional<FolderEntry> StatEntry(const std::filesystem::path& path, std::string name) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) return std::nullopt;
  FolderEntry entry;
  entry.name = std::move(name);
  entry.is_folder = S_ISDIR(info.st_mode);
  entry.size = entry.is_folder ? 0 : static_cast<std::uint64_t>(info.st_size);
  std::tm local{};
  const std::time_t seconds = info.st_mtim.tv_sec;
  if (localtime_r(&seconds, &local)) {
    const DateTimeParts parts{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                              local.tm_hour,        local.tm_min,     std::min(local.tm_sec, 59)};
    entry.last_write = EncodeDateTime(parts).value_or(0.0);
  }
  return entry;
}

}  // namespace

std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder) {
  std::vector<FolderEntry> entries;
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error), end;
  for (; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    if (auto entry = StatEntry(it->path(), std::move(name))) entries.push_back(std::move(*entry));
  }
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return NameLess(a.name, b.name); });
  return entries;
}

std::optional<FolderEntry> FindEntryIgnoringCase(const std::filesystem::path& folder,
                                                 std::string_view name) {
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos)
    return std::nullopt;
  if (auto exact = StatEntry(folder / std::string(name), std::string(name))) return exact;
  for (FolderEntry& entry : ListFolder(folder))
    if (EqualsIgnoringCase(entry.name, name)) return std::move(entry);
  return std::nullopt;
}

bool IsFolder(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

}  // namespace tobrel
