// The reading run's warnings and notes about the logs it read, as tobrel-cli
// prints them on standard error: one line per log.
#pragma once

#include <ostream>
#include <vector>

#include "core/read_health.h"

namespace tobrel {

// For each log with a warning:
//   tobrel-cli: warning: LOG: no posting found
//   tobrel-cli: warning: LOG: N lines look like a posting header but were not
//   read as a posting
// (both on one line, "; " between); for each log converted from UTF-8:
//   tobrel-cli: note: LOG: read as UTF-8 and converted to Shift-JIS
// with "; N character(s) without a Shift-JIS form became "?"" when any did.
void PrintReadHealth(const std::vector<FileReadHealth>& files, std::ostream& err);

}  // namespace tobrel
