// tobrel-cli's exit statuses, and the one a run ends with for each kind of
// failure, decided here alone.
#pragma once

#include "platform/failure.h"

namespace tobrel {

inline constexpr int kExitDone = 0;
inline constexpr int kExitReadError = 1;   // a log or read-data file could not be read
inline constexpr int kExitUsage = 2;       // a bad option or value, pattern or ID list
inline constexpr int kExitRefused = 3;     // the report refused its settings
inline constexpr int kExitWriteError = 4;  // the report could not be written
inline constexpr int kExitStrict = 5;      // --strict and a reading warning

// The exit status of a run that ends with `failure`. Never fails.
int ExitStatusOf(const Failure& failure);

}  // namespace tobrel
