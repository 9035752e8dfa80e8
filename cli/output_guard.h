// The check that keeps -o from replacing one of the logs it reads: the same
// file is found by device and inode, so another path to it (a link, "..",
// a symbolic link, standard input redirected from it) is caught too.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tobrel {

// The first of `logs` ("-": standard input) that is the regular file
// `output` names (links followed), or nothing when `output` names none of
// them or does not exist yet.
std::optional<std::string> LogNamedByOutput(const std::string& output,
                                            const std::vector<std::string>& logs);

}  // namespace tobrel
