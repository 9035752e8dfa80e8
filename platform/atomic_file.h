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
// keeps seeing the new content: the room of the new content is made before
// its first old byte is overwritten (by fallocate, or by writing where the
// file system lacks it), so a full disk or a file-size limit leaves it as
// it was, on any file system, and so does SIGINT, SIGTERM or SIGHUP until
// then; one that comes once the old bytes are being overwritten waits
// until the new content is whole. That one case is not atomic all the
// same: a crash, a power loss or SIGKILL part-way, or an input/output error
// of the device while the old bytes are overwritten, can leave it cut.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string_view>

#include "platform/failure.h"

namespace tobrel {

// A file that cannot be written: a Failure of kind FileUnwritable with
// file() the path, code() the errno (of the generic category) and
// message() the path, ": " and the system's text of the errno
// ("out.txt: No space left on device").
Failure WriteFailure(const std::filesystem::path& path, int error);

// Writes `content` to `path` as described above. Throws Failure
// (WriteFailure; the old file untouched, but see the in-place case above)
// when anything fails, EFBIG included where SIGXFSZ is ignored; no
// temporary file is left.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

// The same for content too large to hold: `produce` writes it to the stream
// it is given. An exception from `produce` is passed on, nothing replaced.
// For a file rewritten in place the content is produced into a temporary
// file without a name first, so that its size is known before the file is
// touched (that takes the room of the content twice for a while).
void WriteFileAtomically(const std::filesystem::path& path,
                         const std::function<void(std::ostream&)>& produce);

// Makes SIGINT, SIGTERM and SIGHUP remove the temporary file of a write in
// progress before the process ends by the signal as it would have. A signal
// that the process ignores stays ignored. Call once, early in main().
void RemoveTemporaryFilesOnSignals();

}  // namespace tobrel
