// Number formatting shared by every report.
#pragma once

#include <cstdint>
#include <string>

namespace tobrel {

// The decimal digits of `value` grouped by three with ",": 1234567 gives
// "1,234,567", 0 gives "0". A negative value keeps its sign in front.
std::string FormatThousands(std::int64_t value);

}  // namespace tobrel
