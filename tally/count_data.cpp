// The columns follow the text table of each order: the rank of the order,
// the names, the order's key, the other key with its rank, and the average
// with its rank (orders 0 and 1) or the share and the running share in
// percent (orders 2 and 3).
#include "tally/count_data.h"

#include "tally/best_posting_data.h"
#include "tally/ranking_rows.h"

namespace tobrel {

void AddCountData(const std::vector<IdTallyRec>& entries, const TopArticle& top,
                  CountOrder order, const TallySettings& settings, ReportData& data) {
  const bool hide = settings.hide_ids;
  DataRows table;
  switch (order) {
    case CountOrder::ByPostings:
      table.header = RankingHeader(
          hide, {"発言数", "発言文字数", "文字数順位", "平均文字数", "平均順位"});
      break;
    case CountOrder::ByChars:
      table.header = RankingHeader(
          hide, {"発言文字数", "発言数", "発言数順位", "平均文字数", "平均順位"});
      break;
    case CountOrder::ByPostingsCumulative:
      table.header =
          RankingHeader(hide, {"発言数", "発言文字数", "文字数順位", "発言比率", "累計比率"});
      break;
    case CountOrder::ByCharsCumulative:
      table.header =
          RankingHeader(hide, {"発言文字数", "発言数", "発言数順位", "文字数比率", "累計比率"});
      break;
  }

  std::int64_t total_count = 0, total_chars = 0;
  for (const IdTallyRec& entry : entries) {
    total_count += entry.PostCount;
    total_chars += entry.TotalChars;
  }
  std::int64_t running_count = 0, running_chars = 0;
  for (const IdTallyRec& entry : entries) {
    running_count += entry.PostCount;
    running_chars += entry.TotalChars;
    const std::string count = NumberCell(entry.PostCount);
    const std::string chars = NumberCell(entry.TotalChars);
    std::vector<std::string> values;
    std::int32_t rank = 0;
    switch (order) {
      case CountOrder::ByPostings:
        rank = entry.RankByCount;
        values = {count, chars, NumberCell(entry.RankByChars), NumberCell(entry.TruncatedAverage()),
                  NumberCell(entry.RankByAverage)};
        break;
      case CountOrder::ByChars:
        rank = entry.RankByChars;
        values = {chars, count, NumberCell(entry.RankByCount), NumberCell(entry.TruncatedAverage()),
                  NumberCell(entry.RankByAverage)};
        break;
      case CountOrder::ByPostingsCumulative:
        rank = entry.RankByCount;
        values = {count, chars, NumberCell(entry.RankByChars),
                  PercentCell(entry.PostCount, total_count),
                  PercentCell(running_count, total_count)};
        break;
      case CountOrder::ByCharsCumulative:
        rank = entry.RankByChars;
        values = {chars, count, NumberCell(entry.RankByCount),
                  PercentCell(entry.TotalChars, total_chars),
                  PercentCell(running_chars, total_chars)};
        break;
    }
    table.rows.push_back(RankingRow(settings, rank, entry.Id, entry.Handle, std::move(values)));
  }
  data.push_back(std::move(table));

  DataRows best = BestPostingDataRows();
  AddBestPosting("最高文字数発言", top, top.TotalChars, best);
  data.push_back(std::move(best));
}

}  // namespace tobrel
