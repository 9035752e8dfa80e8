// tobrel-cli cache: what the cache of parsed logs holds (--info), and
// emptying it (--clear).
#pragma once

#include <ostream>
#include <string_view>

#include "cli/cli_options.h"

namespace tobrel {

inline constexpr std::string_view kCacheCommand = "cache";

// --info writes the cache's folder, its entries, their total size and the
// cap, a line each, to `out`; --clear removes the cache's own files from
// its folder (nothing else there) and says how many. Gives the exit status:
// 0, also for a folder that does not exist yet.
int RunCacheCommand(const CliOptions& options, std::ostream& out);

}  // namespace tobrel
