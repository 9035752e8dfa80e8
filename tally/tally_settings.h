// The options that every tally shares: the target range, the compact listing
// below rank 100, the tables without the ID column, and the same-person
// mapping of IDs.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/date_time.h"

namespace tobrel {

enum class TargetKind {
  ByNumber,  // "番号指定"
  ByDate,    // "日付指定"
};

struct TallyTarget {
  TargetKind kind = TargetKind::ByNumber;
  // The texts of the two number fields, as the user left them. The target
  // lines print them as they are; the test uses their integer values.
  std::string first_number = "1";
  std::string last_number = "65000";
  // The two dates; their time of day is ignored and the last day is included.
  DateTime first_day = 0;
  DateTime last_day = 0;
};

// Gives the ID to count a posting of `id` under. An empty function counts
// every ID under itself.
using MapSameIdFn = std::function<std::string(std::string_view id)>;

struct TallySettings {
  TallyTarget target;
  bool top100_only = false;  // "集計表には上位100位まで(&U)"
  bool hide_ids = false;     // "集計表にIDを表示しない(&D)"
  MapSameIdFn MapSameId;
};

}  // namespace tobrel
