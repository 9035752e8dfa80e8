#include "platform/clock.h"

#include <algorithm>
#include <ctime>

namespace tobrel {

DateTime SystemClock::Now() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  DateTimeParts parts{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                      local.tm_hour,        local.tm_min,     std::min(local.tm_sec, 59)};
  return EncodeDateTime(parts).value_or(0.0);
}

}  // namespace tobrel
