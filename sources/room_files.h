// The room log files of one forum folder: the room logs "Mes_??.LOG" and
// the archive logs "AR_?????.LOG", with their update times and the names
// that the folder's index files "MES.LOG" and "ARLIST.DAT" give them.
#pragma once

#include <string>
#include <vector>

#include "platform/date_time.h"

namespace tobrel {

struct RoomFileRow {
  std::string file_name;    // native, as listed
  std::string room_name;    // CP932; empty when no index names the file
  DateTime updated = 0;     // last-write time
  std::string update_text;  // "yy-mm-dd hh:nn"
};

enum class RoomOrder { Ascending, Descending };

// `CompareRoomFiles`: <0 when `a` comes first in `order`. Room logs ("ME...")
// come before archive logs ("AR...") in both orders; otherwise the names
// are compared ignoring case, reversed for Descending.
int CompareRoomFiles(const RoomFileRow& a, const RoomFileRow& b, RoomOrder order);

// Sorts the rows with CompareRoomFiles; rows that compare equal keep their
// order.
void SortRoomFiles(std::vector<RoomFileRow>& rows, RoomOrder order);

// The rows of the native forum folder `forum_path`, named and sorted in
// `order`. A folder that cannot be read gives no rows; a missing or
// unreadable index file leaves names empty.
std::vector<RoomFileRow> ListRoomFiles(const std::string& forum_path, RoomOrder order);

}  // namespace tobrel
