// The figures of each conference room over the postings of the target
// range: number range, time span, posting and poster counts, deletions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/article_rec.h"
#include "tally/report_text.h"
#include "tally/target_test.h"

namespace tobrel {

struct RoomStatsRec {
  std::int32_t Room = 0;
  std::int32_t HighestNumber = 0;
  std::int32_t LowestNumber = 0;
  DateTime Latest = 0;
  DateTime Earliest = 0;
  std::int32_t PostingCount = 0;
  std::int32_t IdCount = 0;             // distinct IDs, "********" not counted
  std::int32_t SysopDeletedCount = 0;   // IsSysopDeleted
  std::int32_t PosterDeletedCount = 0;  // IsPosterDeleted
};

// A room's figures and where its postings stand in the list.
struct RoomStats {
  RoomStatsRec stats;
  std::span<const ArticleRec> postings;  // every posting of the room, in list order
};

// The rooms that hold a posting in the target range, by room number, with
// the figures of their postings in range (deleted postings included).
// `postings` must be in OrderByRoomTime order and outlive the result.
std::vector<RoomStats> CollectRoomStats(const std::vector<ArticleRec>& postings,
                                        const TargetTest& target);

// Appends the room information block: room number, number range, time span,
// postings, posters and deletions, between empty lines.
void WriteRoomInformation(const RoomStatsRec& room, ReportText& report);

}  // namespace tobrel
