// The rules of the target-range controls that the reports read: which
// controls the kind of target enables, and what a number field holds once
// the user leaves it. Plain logic, so that the window only applies it.
#pragma once

#include <string>
#include <string_view>

namespace tobrel {

// What choosing "番号指定" (by number) or "日付指定" (by date) does to the
// other controls. The missing-number option is unchecked either way.
struct TargetRangeControls {
  bool date_pickers_enabled = false;
  bool number_fields_enabled = true;
  bool missing_numbers_enabled = true;
};
TargetRangeControls ControlsForTargetKind(bool by_date);

inline constexpr int kFirstPostingNumber = 1;
inline constexpr int kLastPostingNumber = 65000;

// The text a number field keeps when the user leaves it: an empty text or a
// value outside 1 to 65000 becomes "1" in the start field and "65000" in the
// end field; anything else stays as typed.
std::string NumberFieldOnExit(std::string_view text, bool is_start_field);

}  // namespace tobrel
