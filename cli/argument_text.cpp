#include "cli/argument_text.h"

#include <algorithm>

#include "platform/cp932.h"
#include "platform/utf8_check.h"

namespace tobrel {

std::optional<std::string> Cp932Argument(std::string_view option, std::string_view value,
                                         std::string& error) {
  if (!IsValidUtf8(value)) {
    error = std::string(option) + ": the value is not valid UTF-8";
    return std::nullopt;
  }
  std::string converted = cp932::FromUtf8(value);
  // Every character without a CP932 code became one more "?".
  if (std::count(converted.begin(), converted.end(), '?') != std::count(value.begin(), value.end(), '?')) {
    error = std::string(option) + ": the value has a character that Shift-JIS lacks";
    return std::nullopt;
  }
  return converted;
}

}  // namespace tobrel
