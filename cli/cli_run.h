// What tobrel-cli does once its command line is parsed: read the logs, write
// the report, and give the exit status.
#pragma once

#include <ostream>

#include "cli/cli_options.h"

namespace tobrel {

// Exit statuses.
inline constexpr int kExitDone = 0;
inline constexpr int kExitReadError = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitRefused = 3;
inline constexpr int kExitWriteError = 4;  // the report could not be written
inline constexpr int kExitStrict = 5;      // --strict and a reading warning

// Runs the report of `options`; the report goes to `out` (or the -o file),
// messages and progress texts to `err` in UTF-8.
int RunCli(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tobrel
