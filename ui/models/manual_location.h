// Where the window's Help finds the user manual. A portable copy keeps the
// manual beside the program; an installed program finds it under
// ../share/doc/tobrel/; a program run from its build folder falls back to
// the docs/ folder of the source checkout it was built from.
#pragma once

#include <filesystem>
#include <vector>

namespace tobrel {

// The places to look for the manual of the program at `program`, in order:
// <folder>/<name>.html, <folder>/../share/doc/tobrel/<name>.html, then
// <source_docs>/<name>.html when `source_docs` is not empty.
std::vector<std::filesystem::path> ManualCandidates(const std::filesystem::path& program,
                                                    const std::filesystem::path& source_docs);

// The first candidate that is a regular file, or an empty path when none is.
std::filesystem::path FindManual(const std::vector<std::filesystem::path>& candidates);

}  // namespace tobrel
