// The selection texts of the log dialogs: full paths of the chosen files
// joined by ";", which the user may also edit by hand.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tobrel {

// The paths joined with ";" between them.
std::string JoinSelection(const std::vector<std::string>& paths);

// The paths of a selection text, cut at every ";": an empty text gives
// none, "a;;b" gives "a", "" and "b", a text without ";" one path.
std::vector<std::string> SplitSelection(std::string_view text);

// `folder` with a final "/" added when it has none; an empty text stays
// empty.
std::string WithFinalSlash(std::string folder);

// The folder part of a native path, ending in "/"; empty for a path
// without any "/".
std::string FolderOfPath(std::string_view path);

}  // namespace tobrel
