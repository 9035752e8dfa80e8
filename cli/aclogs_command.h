// tobrel-cli aclogs: what the dialog of AirCraft 97 log folders would list,
// for scripts that feed the room logs to the reports.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_options.h"

namespace tobrel {

inline constexpr std::string_view kAcLogsCommand = "aclogs";

// Lists the forums of the log folder, or with a forum the room log files
// of that forum, to `out` (or the -o file); messages go to `err`. Gives the
// exit status: 0 also when nothing is found, 3 when the installation has
// no "Global.Dat" or the personal folder does not exist, 1 when the
// installer's log cannot be read.
int RunAcLogs(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tobrel
