#include "core/target_range_fields.h"

#include "core/log_line_recognizers.h"

namespace tobrel {

TargetRangeControls ControlsForTargetKind(bool by_date) {
  return {by_date, !by_date, !by_date};
}

std::string NumberFieldOnExit(std::string_view text, bool is_start_field) {
  const auto value = ParseDecimal(text);
  if (value && *value >= kFirstPostingNumber && *value <= kLastPostingNumber)
    return std::string(text);
  return std::to_string(is_start_field ? kFirstPostingNumber : kLastPostingNumber);
}

}  // namespace tobrel
