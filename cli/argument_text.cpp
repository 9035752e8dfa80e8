#include "cli/argument_text.h"

#include <algorithm>

#include "platform/cp932.h"
#include "platform/utf8_check.h"

namespace tobrel {

std::string Cp932Argument(std::string_view option, std::string_view value) {
  if (!IsValidUtf8(value))
    throw Failure(FailureKind::BadArgument, std::string(option) + ": the value is not valid UTF-8");
  std::string converted = cp932::FromUtf8(value);
  // Every character without a CP932 code became one more "?".
  if (std::count(converted.begin(), converted.end(), '?') != std::count(value.begin(), value.end(), '?'))
    throw Failure(FailureKind::BadArgument,
                  std::string(option) + ": the value has a character that Shift-JIS lacks");
  return converted;
}

}  // namespace tobrel
