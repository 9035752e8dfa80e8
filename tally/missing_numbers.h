// The missing posting numbers of one conference room within the number
// range: the gaps between the numbers of its postings, gathered into lines.
#pragma once

#include <cstdint>
#include <span>

#include "core/article_rec.h"
#include "tally/report_text.h"

namespace tobrel {

// Appends the heading block and the gaps of `room_postings` (one room's
// postings in list order) within `first`..`last`. A single missing number
// reads " #nnnnn ", a run " #nnnnn-nnnnn"; a line is written once it passes
// 67 bytes. Gaps are measured from the previous posting in list order.
void WriteMissingNumbers(std::span<const ArticleRec> room_postings, std::int32_t room,
                         std::int64_t first, std::int64_t last, ReportText& report);

}  // namespace tobrel
