// Dates are written whole ("yyyy/mm/dd hh:nn") where the report shortens
// them; a posting without a comment target leaves that cell empty.
#include "tally/stats_data.h"

namespace tobrel {

DataRows RoomInformationDataRows(const std::vector<RoomStats>& rooms) {
  DataRows table{HeaderRow({"会議室", "最小番号", "最大番号", "最初の発言日時",
                             "最後の発言日時", "発言総数", "発言者数", "SYSOP削除",
                             "発言者削除"}),
                  {}};
  for (const RoomStats& room : rooms) {
    const RoomStatsRec& stats = room.stats;
    table.rows.push_back({NumberCell(stats.Room), NumberCell(stats.LowestNumber),
                          NumberCell(stats.HighestNumber),
                          FormatDateTime("yyyy/mm/dd hh:nn", stats.Earliest),
                          FormatDateTime("yyyy/mm/dd hh:nn", stats.Latest),
                          NumberCell(stats.PostingCount), NumberCell(stats.IdCount),
                          NumberCell(stats.SysopDeletedCount),
                          NumberCell(stats.PosterDeletedCount)});
  }
  return table;
}

DataRows TitleListDataRows(TitleListForm form) {
  if (form == TitleListForm::TitleList)
    return {HeaderRow({"会議室", "番号", "登録日時", "ID", "発言者", "題名"}), {}};
  return {HeaderRow({"会議室", "番号", "ID", "登録日時", "コメント先", "コメント数", "題名"}), {}};
}

void AddTitleListRows(std::span<const ArticleRec> room_postings, std::int32_t room,
                      TitleListForm form, const TargetTest& target, DataRows& table) {
  for (const ArticleRec& posting : room_postings) {
    if (!target.InRange(posting)) continue;
    const std::string posted_at = FormatDateTime("yyyy/mm/dd hh:nn", posting.PostedAt);
    if (form == TitleListForm::TitleList) {
      table.rows.push_back({NumberCell(room), NumberCell(posting.Number), posted_at,
                            posting.Id.str(), std::string(posting.Handle.view()),
                            std::string(posting.Title.view())});
    } else {
      table.rows.push_back(
          {NumberCell(room), NumberCell(posting.Number), posting.Id.str(), posted_at,
           posting.CommentTo != 0 ? NumberCell(posting.CommentTo) : std::string(),
           NumberCell(posting.CommentCount), std::string(posting.Title.view())});
    }
  }
}

DataRows MissingNumberDataRows() { return {HeaderRow({"会議室", "欠番開始", "欠番終了"}), {}}; }

void AddMissingNumberRows(const std::vector<NumberGap>& gaps, std::int32_t room,
                          DataRows& table) {
  for (const NumberGap& gap : gaps)
    table.rows.push_back({NumberCell(room), NumberCell(gap.from), NumberCell(gap.to)});
}

}  // namespace tobrel
