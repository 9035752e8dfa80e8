#include "tally/room_statistics.h"

#include <algorithm>
#include <optional>

#include "platform/cp932.h"
#include "tally/distinct_ids.h"
#include "tally/report_fields.h"

namespace tobrel {
namespace {

// The figures of one room's postings in range, or nothing when none is.
std::optional<RoomStatsRec> StatsOf(std::span<const ArticleRec> room, const TargetTest& target,
                                    std::vector<PackedId>& ids) {
  std::optional<RoomStatsRec> stats;
  ids.clear();
  for (const ArticleRec& posting : room) {
    if (!target.InRange(posting)) continue;
    if (!stats) {
      stats = RoomStatsRec{};
      stats->Room = posting.Room;
      stats->HighestNumber = stats->LowestNumber = posting.Number;
      stats->Latest = stats->Earliest = posting.PostedAt;
    }
    stats->LowestNumber = std::min(stats->LowestNumber, posting.Number);
    stats->HighestNumber = std::max(stats->HighestNumber, posting.Number);
    stats->Earliest = std::min(stats->Earliest, posting.PostedAt);
    stats->Latest = std::max(stats->Latest, posting.PostedAt);
    ++stats->PostingCount;
    if (IsSysopDeleted(posting)) {
      ++stats->SysopDeletedCount;
    } else {
      ids.push_back(PackId(posting.Id));
    }
    if (IsPosterDeleted(posting)) ++stats->PosterDeletedCount;
  }
  if (stats) stats->IdCount = static_cast<std::int32_t>(CountDistinctIds(ids));
  return stats;
}

}  // namespace

std::vector<RoomStats> CollectRoomStats(const std::vector<ArticleRec>& postings,
                                        const TargetTest& target) {
  std::vector<RoomStats> rooms;
  std::vector<PackedId> ids;
  for (std::size_t first = 0; first < postings.size();) {
    std::size_t end = first + 1;
    while (end < postings.size() && postings[end].Room == postings[first].Room) ++end;
    const std::span<const ArticleRec> room(postings.data() + first, end - first);
    if (const auto stats = StatsOf(room, target, ids)) rooms.push_back({*stats, room});
    first = end;
  }
  return rooms;
}

void WriteRoomInformation(const RoomStatsRec& room, ReportText& report) {
  static const std::string kRoom = cp932::FromUtf8("  会議室番号：");
  static const std::string kUntil = cp932::FromUtf8(" ～ ");
  static const std::string kPostings = cp932::FromUtf8("              発言総数：");
  static const std::string kPosters = cp932::FromUtf8("              発言者数：");
  static const std::string kSysopDeleted = cp932::FromUtf8("                     SYSOP削除：");
  static const std::string kPosterDeleted = cp932::FromUtf8("                    発言者削除：");
  static const std::string kItems = cp932::FromUtf8(" 件");
  static const std::string kItemsClose = cp932::FromUtf8("件");
  static const std::string kIndent(8, ' ');
  report.emplace_back();
  report.push_back(kRoom + ZeroPadded(room.Room, 2));
  report.push_back(kIndent + "#" + ZeroPadded(room.LowestNumber, 5) + kUntil + "#" +
                   ZeroPadded(room.HighestNumber, 5));
  report.push_back(kIndent + FormatDateTime("yyyy/mm/dd hh:nn", room.Earliest) + kUntil +
                   FormatDateTime("yyyy/mm/dd hh:nn", room.Latest));
  report.emplace_back();
  report.push_back(kPostings + IntField(room.PostingCount, 6) + kItems);
  report.push_back(kPosters + IntField(room.IdCount, 6) + " ID");
  report.push_back(kSysopDeleted + IntField(room.SysopDeletedCount, 4) + kItemsClose);
  report.push_back(kPosterDeleted + IntField(room.PosterDeletedCount, 4) + kItemsClose);
  report.emplace_back();
}

}  // namespace tobrel
