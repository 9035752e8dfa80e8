// Why a file could not be read or written, in the Japanese the window shows:
// a small table of the error codes users meet. Codes outside it are left to
// the system's own text (ui/widgets/file_failure_box.h).
#pragma once

#include <system_error>

namespace tobrel {

// Which way the file was being used: a missing right reads differently.
enum class FileAccess { kRead, kWrite };

// The reason for `code` (an errno of the generic or system category, or a
// NotRegularFile of platform/regular_file.h) as UTF-8, or nullptr when the
// table has none.
const char* FileFailureReason(std::error_code code, FileAccess access);

}  // namespace tobrel
