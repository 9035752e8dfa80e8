// The log-information message of the processing dialog: a log's size,
// lines, postings, number range and date range, as the lines of the message
// box (CP932).
#pragma once

#include <string>
#include <vector>

#include "core/log_lines.h"

namespace tobrel {

// The message lines for the log at `path` (native), whose lines are `lines`
// and whose size is `size` bytes. Every posting header line counts as a
// posting; every sub-header line, wherever it stands, moves the dates.
// Throws InvalidLogFailure (core/posting_assembler.h) for a sub-header line
// whose date does not exist.
std::vector<std::string> LogInformationLines(const std::string& path, std::uintmax_t size,
                                             const LogLines& lines);

// The same for the file at `path`; throws Failure (core/input_file.h) when it cannot be read.
std::vector<std::string> LogInformationLines(const std::string& path);

}  // namespace tobrel
