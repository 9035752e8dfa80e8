// Listing a forum folder goes in three steps: the files matching the two
// masks are listed (room logs first, each group in the folder's order), the
// index files name them, and the list is sorted.
//
// "MES.LOG" is a room table: the lines after its heading line describe one
// room each (a line beginning with "＞" does not). Columns 1-2 hold the room
// number right-aligned, so room 5 is " 5", and the name runs from column 29
// to the end. The table names the first room log whose file number (the
// fifth and sixth characters of "MES_05.LOG") equals the line's first two
// characters, a number "05" also taking a line that begins " 5".
//
// "ARLIST.DAT" names archives: a line holding ",N," goes on with the
// archive's file name, ',"', the name and a closing double quote.
#include "sources/room_files.h"

#include <algorithm>
#include <filesystem>

#include "core/regular_file_lines.h"
#include "platform/cp932.h"
#include "platform/file_mask.h"
#include "platform/folder_listing.h"
#include "platform/regular_file.h"
#include "platform/text_case.h"

namespace tobrel {
namespace {

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

// The lines of the index file `name` of `folder`, when it can be read.
bool LoadIndex(const std::string& folder, std::string_view name, LogLines& lines) {
  const auto entry = FindEntryIgnoringCase(folder, name);
  if (!entry || entry->is_folder) return false;
  try {
    LoadRegularFileLines(std::filesystem::path(folder) / entry->name, lines, kSmallFileLimit);
  } catch (const Failure&) {
    return false;
  }
  return true;
}

bool IsRoomLineFor(std::string_view line, const std::string& file_name) {
  if (!StartsWithIgnoringCase(file_name, "MES_") || file_name.size() < 6 || line.size() < 2)
    return false;
  const std::string_view number = std::string_view(file_name).substr(4, 2);
  if (line.substr(0, 2) == number) return true;
  return number[0] == '0' && line[0] == ' ' && line[1] == number[1];
}

void NameRooms(std::vector<RoomFileRow>& rows, const LogLines& lines) {
  static const std::string kHeading = cp932::FromUtf8("番号　発言 (未読) 　最新　　会議室名");
  static const std::string kQuoteMark = cp932::FromUtf8("＞");
  std::size_t i = 0;
  while (i < lines.size() && !lines[i].starts_with(kHeading)) ++i;
  for (++i; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line.starts_with(kQuoteMark)) continue;
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const RoomFileRow& r) {
      return IsRoomLineFor(line, r.file_name);
    });
    if (row != rows.end()) row->room_name = line.size() > 28 ? TrimRight(line.substr(28)) : "";
  }
}

void NameArchives(std::vector<RoomFileRow>& rows, const LogLines& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const std::size_t mark = line.find(",N,");
    if (mark == std::string_view::npos) continue;
    const std::string_view rest = line.substr(mark + 3);
    const std::size_t quote = rest.find(",\"");
    if (quote == std::string_view::npos) continue;
    const std::string file = cp932::ToUtf8(rest.substr(0, quote));
    std::string_view name = rest.substr(quote + 2);
    if (!name.empty()) name.remove_suffix(1);  // the closing double quote
    for (RoomFileRow& row : rows)
      if (EqualsIgnoringCase(row.file_name, file)) row.room_name = name;
  }
}

}  // namespace

int CompareRoomFiles(const RoomFileRow& a, const RoomFileRow& b, RoomOrder order) {
  const bool a_room = StartsWithIgnoringCase(a.file_name, "ME");
  const bool b_room = StartsWithIgnoringCase(b.file_name, "ME");
  if (a_room && StartsWithIgnoringCase(b.file_name, "AR")) return -1;
  if (b_room && StartsWithIgnoringCase(a.file_name, "AR")) return 1;
  const int result = CompareIgnoringCase(a.file_name, b.file_name);
  return order == RoomOrder::Descending ? -result : result;
}

void SortRoomFiles(std::vector<RoomFileRow>& rows, RoomOrder order) {
  std::stable_sort(rows.begin(), rows.end(), [order](const RoomFileRow& a, const RoomFileRow& b) {
    return CompareRoomFiles(a, b, order) < 0;
  });
}

std::vector<RoomFileRow> ListRoomFiles(const std::string& forum_path, RoomOrder order) {
  std::vector<RoomFileRow> rows;
  const std::vector<FolderEntry> entries = ListFolder(forum_path);
  for (const std::string_view mask : {"MES_??.LOG", "AR_?????.LOG"})
    for (const FolderEntry& entry : entries)
      if (!entry.is_folder && MatchesFileMask(entry.name, mask))
        rows.push_back({entry.name, "", entry.last_write,
                        FormatDateTime("yy-mm-dd hh:nn", entry.last_write)});
  LogLines lines;
  if (LoadIndex(forum_path, "MES.LOG", lines)) NameRooms(rows, lines);
  if (LoadIndex(forum_path, "ARLIST.DAT", lines)) NameArchives(rows, lines);
  SortRoomFiles(rows, order);
  return rows;
}

}  // namespace tobrel
