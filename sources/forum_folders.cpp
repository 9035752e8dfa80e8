#include "sources/forum_folders.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "core/regular_file_lines.h"
#include "platform/cp932.h"
#include "platform/file_mask.h"
#include "platform/folder_listing.h"
#include "platform/regular_file.h"
#include "platform/text_case.h"

namespace tobrel {
namespace {

constexpr std::array<std::string_view, 9> kSpecialFolders = {
    "BBS", "DAILY", "FLASH", "FORUM", "HP", "NEW", "PATIO", "MAIL", "PROFILE"};

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

bool IsSpecialFolder(const std::string& name) {
  const std::string upper = UpperAscii(name);
  return std::find(kSpecialFolders.begin(), kSpecialFolders.end(), upper) != kSpecialFolders.end();
}

// The folders of `folder` whose names have no dot and that hold room logs,
// the special folders left out when `skip_special`.
std::vector<std::string> ForumFoldersIn(const std::filesystem::path& folder, bool skip_special) {
  std::vector<std::string> names;
  for (const FolderEntry& entry : ListFolder(folder))
    if (entry.is_folder && entry.name.find('.') == std::string::npos &&
        !(skip_special && IsSpecialFolder(entry.name)) &&
        HoldsRoomLogs((folder / entry.name).string()))
      names.push_back(entry.name);
  return names;
}

// Names the forum rows (not the PATIO rows, whose second column is their
// folder) from the lines of "FLIST.DAT"; rows without a line keep theirs.
void NameForums(std::vector<ForumRow>& rows, const std::filesystem::path& list_file) {
  LogLines lines;
  try {
    LoadRegularFileLines(list_file, lines, kSmallFileLimit);
  } catch (const Failure&) {
    return;  // an unreadable list names nothing, like a missing one
  }
  for (ForumRow& row : rows) {
    if (row.go_word == "PATIO") continue;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (auto name = ForumNameFromLine(lines[i], row.go_word)) {
        row.name = std::move(*name);
        break;
      }
    }
  }
}

}  // namespace

bool HoldsRoomLogs(const std::string& folder) {
  const auto entries = ListFolder(folder);
  return std::any_of(entries.begin(), entries.end(), [](const FolderEntry& entry) {
    return !entry.is_folder && MatchesFileMask(entry.name, "Mes_??.LOG");
  });
}

std::optional<std::string> ForumNameFromLine(std::string_view line, std::string_view go_word) {
  static const std::string kFullWidthParen = cp932::FromUtf8("）");
  bool belongs = false;
  for (std::size_t at = cp932::FindAligned(line, go_word); !belongs && at != std::string_view::npos;
       at = cp932::FindAligned(line, go_word, at + 1)) {
    const std::string_view after = line.substr(at + go_word.size());
    belongs = after.starts_with(' ') || after.starts_with(')') || after.starts_with(kFullWidthParen);
  }
  if (!belongs) return std::nullopt;
  std::string_view name = TrimBlanks(line);
  std::size_t cut = cp932::FindAligned(name, "nifty:");
  if (cut == std::string_view::npos) cut = cp932::FindAligned(name, "Nifty:");
  return std::string(name.substr(0, cut));
}

std::vector<ForumRow> ScanForumFolders(const std::string& log_root,
                                       const std::string& install_folder) {
  std::vector<ForumRow> rows;
  if (log_root.empty()) return rows;
  const std::filesystem::path root(log_root);
  for (const std::string& name : ForumFoldersIn(root, true))
    rows.push_back({cp932::FromUtf8(UpperAscii(name)), "", name});
  if (const auto patio = FindEntryIgnoringCase(root, "PATIO"); patio && patio->is_folder)
    for (const std::string& name : ForumFoldersIn(root / patio->name, false))
      rows.push_back({"PATIO", cp932::FromUtf8(name), patio->name + "/" + name});

  const auto list = install_folder.empty() ? std::nullopt
                                           : FindEntryIgnoringCase(install_folder, "FLIST.DAT");
  if (list && !list->is_folder) {
    NameForums(rows, std::filesystem::path(install_folder) / list->name);
    std::stable_sort(rows.begin(), rows.end(), [](const ForumRow& a, const ForumRow& b) {
      return a.go_word < b.go_word;
    });
  }
  return rows;
}

}  // namespace tobrel
