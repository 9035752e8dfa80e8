// What the time tables need of each counted posting, taken from the store
// once for all tables: the tables then walk this small array instead of the
// full records.
#pragma once

#include <cstdint>
#include <vector>

#include "core/article_rec.h"
#include "tally/distinct_ids.h"
#include "tally/target_test.h"

namespace tobrel {

struct TimeFact {
  PackedId id;             // the posting's own ID
  std::uint32_t posting;   // its position in the postings
  std::int32_t day;        // its date, as whole days since 1899-12-30
  std::int32_t month;      // year * 12 + month - 1
  std::uint8_t hour;       // 0..23
  std::uint8_t weekday;    // 0 = Sunday .. 6 = Saturday
};

// The facts of the postings that the target test counts, in their order.
std::vector<TimeFact> CollectTimeFacts(const std::vector<ArticleRec>& postings,
                                       const TargetTest& target);

}  // namespace tobrel
