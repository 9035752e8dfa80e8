// The forum list of a log folder: one row per forum folder that holds room
// logs, named from the communication program's forum list "FLIST.DAT".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tobrel {

struct ForumRow {
  std::string go_word;  // first column (CP932): the folder name upper-cased, or "PATIO"
  std::string name;     // second column (CP932): the forum name, or the PATIO folder's name
  std::string folder;   // the folder relative to the log root, native, as listed
};

// `ScanForumFolders`: the forum rows of `log_root` (a native folder ending
// in "/"): every folder of the log root whose name has no dot, is not one of
// the special folders and holds a "Mes_??.LOG", then every such folder of
// its "PATIO" folder. With "FLIST.DAT" in `install_folder` the forum rows
// are named from it and the list is sorted by first column. Names are
// found ignoring case; a folder that cannot be read adds nothing.
std::vector<ForumRow> ScanForumFolders(const std::string& log_root,
                                       const std::string& install_folder);

// The forum name that one line of "FLIST.DAT" gives `go_word`, when the
// line belongs to it (holds the GO word followed by a blank, ")" or "）"):
// the line trimmed of blanks and cut before "nifty:" (else "Nifty:").
std::optional<std::string> ForumNameFromLine(std::string_view line, std::string_view go_word);

// True when the native folder `folder` holds a file matching "Mes_??.LOG".
bool HoldsRoomLogs(const std::string& folder);

}  // namespace tobrel
