// Test helper: an excluded posting with the fields the excluded-postings
// list shows. Handle and title are written as UTF-8 and stored as CP932.
#pragma once

#include <string_view>

#include "core/article_rec.h"
#include "support/sjis.h"

namespace tobrel::testing {

inline ExcludedRec ExcludedPosting(ExclusionReason reason, int room, int number,
                                   std::string_view id, std::string_view handle = "h",
                                   std::string_view title = "t") {
  ExcludedRec posting;
  posting.Reason = reason;
  posting.Room = room;
  posting.Number = number;
  posting.Id = id;
  posting.Handle = S(handle);
  posting.Title = S(title);
  return posting;
}

}  // namespace tobrel::testing
