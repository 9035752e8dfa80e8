#include "core/target_range_fields.h"

#include <gtest/gtest.h>

namespace tobrel {
namespace {

TEST(TargetRangeFields, NumberFieldsFallBackWhenLeftOutOfRange) {
  static const struct {
    const char* text;
    const char* start;
    const char* end;
  } cases[] = {
      {"", "1", "65000"},     {"0", "1", "65000"},     {"65001", "1", "65000"},
      {"999999", "1", "65000"}, {"1", "1", "1"},       {"65000", "65000", "65000"},
      {"0123", "0123", "0123"}, {"12", "12", "12"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NumberFieldOnExit(c.text, true), c.start) << c.text;
    EXPECT_EQ(NumberFieldOnExit(c.text, false), c.end) << c.text;
  }
}

TEST(TargetRangeFields, TargetKindSwitchesTheControls) {
  const TargetRangeControls by_date = ControlsForTargetKind(true);
  EXPECT_TRUE(by_date.date_pickers_enabled);
  EXPECT_FALSE(by_date.number_fields_enabled);
  EXPECT_FALSE(by_date.missing_numbers_enabled);
  const TargetRangeControls by_number = ControlsForTargetKind(false);
  EXPECT_FALSE(by_number.date_pickers_enabled);
  EXPECT_TRUE(by_number.number_fields_enabled);
  EXPECT_TRUE(by_number.missing_numbers_enabled);
}

}  // namespace
}  // namespace tobrel
