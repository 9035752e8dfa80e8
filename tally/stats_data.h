// The statistics report's tables as exported values. Where the report
// writes one block per room, the export writes one table per kind, each row
// naming its room: the room information, the title list, the missing
// numbers.
#pragma once

#include <cstdint>
#include <vector>

#include "tally/report_data.h"
#include "tally/missing_numbers.h"
#include "tally/room_statistics.h"
#include "tally/title_list.h"

namespace tobrel {

// One row per room.
DataRows RoomInformationDataRows(const std::vector<RoomStats>& rooms);

// The empty table of the title list in `form`, and the rows of one room's
// postings in the target range.
DataRows TitleListDataRows(TitleListForm form);
void AddTitleListRows(std::span<const ArticleRec> room_postings, std::int32_t room,
                      TitleListForm form, const TargetTest& target, DataRows& table);

// The empty table of missing numbers, and one row per gap of a room.
DataRows MissingNumberDataRows();
void AddMissingNumberRows(const std::vector<NumberGap>& gaps, std::int32_t room,
                          DataRows& table);

}  // namespace tobrel
