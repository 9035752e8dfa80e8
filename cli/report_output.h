// Writing a report's lines: Shift-JIS with CR LF (the bytes of a saved
// result) or UTF-8 with LF for terminals, to standard output or a file that
// is replaced safely.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tobrel {

// The report text: CP932 lines joined by CR LF, each line ended; or, with
// `utf8`, converted to UTF-8 and ended by LF.
std::string JoinReportLines(const std::vector<std::string>& lines, bool utf8);

// Writes `text` to `path` (see WriteFileAtomically), or to `out` when `path`
// is empty. Throws Failure (WriteFailure, platform/atomic_file.h) when the
// file or the stream cannot be written (the stream in a failed state; its
// file() is then "standard output").
void WriteReportText(const std::string& text, const std::string& path, std::ostream& out);

}  // namespace tobrel
