#include "tally/best_posting_data.h"

#include "platform/cp932.h"

namespace tobrel {

DataRows BestPostingDataRows() {
  return {HeaderRow({"種別", "番号", "会議室", "日時", "ID", "ハンドル", "文字数"}), {}};
}

void AddBestPosting(std::string_view kind_utf8, const TopArticle& top, std::int64_t chars,
                    DataRows& table) {
  table.rows.push_back({cp932::FromUtf8(kind_utf8), NumberCell(top.Number), NumberCell(top.Room),
                        FormatDateTime("yyyy/mm/dd hh:nn", top.PostedAt), top.Id, top.Handle,
                        NumberCell(chars)});
}

}  // namespace tobrel
