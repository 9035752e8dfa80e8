// The missing posting numbers of one conference room within the number
// range: the gaps between the numbers of its postings, gathered into lines.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/article_rec.h"
#include "tally/report_text.h"

namespace tobrel {

// A run of missing numbers, from..to (one number when they are equal).
struct NumberGap {
  std::int64_t from;
  std::int64_t to;
  bool after_last_posting = false;  // the run up to the end of the range
};

// The gaps of `room_postings` (one room's postings in list order) within
// `first`..`last`, each measured from the previous posting in list order.
std::vector<NumberGap> MissingNumberGaps(std::span<const ArticleRec> room_postings,
                                         std::int64_t first, std::int64_t last);

// Appends the heading block and the gaps of `room_postings` (one room's
// postings in list order) within `first`..`last`. A single missing number
// reads " #nnnnn ", a run " #nnnnn-nnnnn"; a line is written once it passes
// 67 bytes. Gaps are measured from the previous posting in list order.
void WriteMissingNumbers(std::span<const ArticleRec> room_postings, std::int32_t room,
                         std::int64_t first, std::int64_t last, ReportText& report);

}  // namespace tobrel
