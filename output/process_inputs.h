// The input list of the processing dialog: every file of the main window's
// list, sorted by name with ASCII letters compared ignoring case, and a file
// added from the open dialog unless the list has it already (letter case
// ignored).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tobrel {

// The list the dialog shows for the window's files `candidates`.
std::vector<std::string> ProcessInputList(std::vector<std::string> candidates);

// Adds `path` to the sorted `list` unless a name equal ignoring case is
// there; gives the position of the entry to select.
std::size_t AddProcessInput(std::vector<std::string>& list, const std::string& path);

}  // namespace tobrel
