// The two commands of the processing dialog: "process" writes the processed
// copy of one log to -o FILE with the account lines on the error stream, and
// "info" writes the log-information lines of each log.
#pragma once

#include <ostream>
#include <string_view>

#include "cli/cli_options.h"
#include "output/process_settings.h"

namespace tobrel {

// True for "process" and "info".
bool IsLogOutputCommand(std::string_view report);

// The dialog's settings that the options give; dates default to `today`.
ProcessSettings ProcessSettingsFrom(const CliOptions& options, DateTime today);

// Runs "process" or "info"; gives the exit status.
int RunLogOutputCommand(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tobrel
