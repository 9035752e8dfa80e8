// The date-time of a sub-header line as the processing output reads it: the
// two-digit year is expanded with a fixed pivot ("19" for 87 to 99, "20" for
// 00 to 86) rather than the window of the reading run, seconds are 0.
#pragma once

#include <optional>
#include <string_view>

#include "platform/date_time.h"

namespace tobrel {

// Nothing for a line that is not a sub-header line or whose date or time
// does not exist.
std::optional<DateTime> PivotedSubHeaderDateTime(std::string_view line);

}  // namespace tobrel
