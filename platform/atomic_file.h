// Replacing a file safely: the new content goes to a temporary file in the
// same folder, which is renamed over the old one only when it was written
// whole, so a failed write never destroys the old file.
//
// What is replaced: a symbolic link is followed (its target is replaced, the
// link stays); the old file's permission bits are kept (and its owner and
// group where the process may set them), a new file gets 0666 less the
// umask. A path that is not a regular file (a device such as /dev/null, a
// FIFO) is written directly, as a shell redirection would. A regular file
// with more than one hard link is rewritten in place so that every name
// keeps seeing the new content: its space is reserved first, so a full disk
// leaves it as it was, but a crash part-way can leave it cut.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string_view>

namespace tobrel {

// Writes `content` to `path` as described above. Throws std::system_error
// (the old file untouched) when anything fails; no temporary file is left.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

// The same for content too large to hold: `produce` writes it to the stream
// it is given. An exception from `produce` is passed on, nothing replaced.
void WriteFileAtomically(const std::filesystem::path& path,
                         const std::function<void(std::ostream&)>& produce);

// Makes SIGINT, SIGTERM and SIGHUP remove the temporary file of a write in
// progress before the process ends by the signal as it would have. A signal
// that the process ignores stays ignored. Call once, early in main().
void RemoveTemporaryFilesOnSignals();

}  // namespace tobrel
