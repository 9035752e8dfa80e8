// Comments per posting keep the report's three decimals; every other figure
// is a plain integer.
#include "tally/comment_data.h"

#include <cstdio>

#include "platform/cp932.h"

namespace tobrel {
namespace {

std::string AverageCell(double average) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.3f", average);
  return buffer;
}

}  // namespace

DataRows CommentIdDataRows(const std::vector<IdTallyRec>& entries, CommentOrder order,
                             CommentLimit limit, bool hide_ids) {
  const bool by_sum = order == CommentOrder::ByCommentSum;
  DataRows table;
  table.header = HeaderRow({"順位"});
  if (!hide_ids) table.header.push_back("ID");
  for (std::string& name :
       by_sum ? HeaderRow({"ハンドル", "コメント数", "発言数", "発言数順位", "平均コメント数",
                           "平均順位"})
              : HeaderRow({"ハンドル", "平均コメント数", "発言数", "発言数順位", "コメント数",
                           "コメント数順位"}))
    table.header.push_back(std::move(name));

  const int last_rank = LastCommentRank(limit, false);
  for (const IdTallyRec& entry : entries) {
    const int rank = CommentTableRank(entry, order);
    if (rank > last_rank) break;
    std::vector<std::string> row{NumberCell(rank)};
    if (!hide_ids) row.push_back(entry.Id);
    row.push_back(entry.Handle);
    const std::string sum = NumberCell(entry.TotalChars);
    const std::string count = NumberCell(entry.PostCount);
    const std::string count_rank = NumberCell(entry.RankByCount);
    const std::string average = AverageCell(entry.Average);
    if (by_sum) {
      row.insert(row.end(), {sum, count, count_rank, average, NumberCell(entry.RankByAverage)});
    } else {
      row.insert(row.end(), {average, count, count_rank, sum, NumberCell(entry.RankByChars)});
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

DataRows PostingRankingDataRows(const std::vector<RankedPosting>& postings) {
  DataRows table{HeaderRow({"順位", "番号", "会議室", "タイトル", "日時", "コメント数"}), {}};
  for (const auto& [rank, posting] : postings) {
    table.rows.push_back({NumberCell(rank), NumberCell(posting->Number),
                          NumberCell(posting->Room), std::string(posting->Title.view()),
                          FormatDateTime("yyyy/mm/dd hh:nn", posting->PostedAt),
                          NumberCell(posting->CommentCount)});
  }
  return table;
}

}  // namespace tobrel
