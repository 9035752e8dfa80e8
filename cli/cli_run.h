// What tobrel-cli does once its command line is parsed: read the logs, write
// the report, and give the exit status.
#pragma once

#include <ostream>

#include "cli/cli_options.h"
#include "cli/exit_status.h"

namespace tobrel {

// Runs the report of `options`; the report goes to `out` (or the -o file),
// messages and progress texts to `err` in UTF-8.
int RunCli(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tobrel
