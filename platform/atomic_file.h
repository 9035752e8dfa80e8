// Replacing a file safely: the new content goes to a temporary file in the
// same folder, which is renamed over the old one only when it was written
// whole, so a failed write never destroys the old file.
#pragma once

#include <filesystem>
#include <string_view>

namespace tobrel {

// Writes `content` to `path`, replacing an existing file. Throws
// std::system_error (the old file untouched) when anything fails.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

}  // namespace tobrel
