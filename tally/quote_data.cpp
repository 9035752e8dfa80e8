// The columns follow the text table of each order: the rank of the order,
// the names, the order's key, then the other figures of the row with their
// ranks, and the ratio in percent (quoted text, or own text in order 2).
#include "tally/quote_data.h"

#include "tally/best_posting_data.h"
#include "tally/ranking_rows.h"

namespace tobrel {

void AddQuoteData(const std::vector<IdTallyRec>& entries, const QuoteTops& tops,
                  QuoteOrder order, const TallySettings& settings, ReportData& data) {
  const bool hide = settings.hide_ids;
  DataRows table;
  switch (order) {
    case QuoteOrder::ByPostings:
      table.header = RankingHeader(hide, {"発言数", "発言文字数", "文字数順位", "平均文字数",
                                          "平均順位", "引用率"});
      break;
    case QuoteOrder::ByChars:
      table.header = RankingHeader(hide, {"発言文字数", "発言数", "発言数順位", "平均文字数",
                                          "平均順位", "引用率"});
      break;
    case QuoteOrder::ByOwnChars:
      table.header =
          RankingHeader(hide, {"本文文字数", "総発言文字数", "発言数", "発言数順位", "本文率"});
      break;
    case QuoteOrder::ByQuoted:
      table.header =
          RankingHeader(hide, {"引用文字数", "総発言文字数", "発言数", "発言数順位", "引用率"});
      break;
  }

  for (const IdTallyRec& entry : entries) {
    const std::string count = NumberCell(entry.PostCount);
    const std::string chars = NumberCell(entry.TotalChars);
    const std::string average = NumberCell(entry.TruncatedAverage());
    const std::string quoted_ratio = PercentCell(entry.QuotedChars, entry.TotalChars);
    std::vector<std::string> values;
    std::int32_t rank = 0;
    switch (order) {
      case QuoteOrder::ByPostings:
        rank = entry.RankByCount;
        values = {count,   chars, NumberCell(entry.RankByChars),
                  average, NumberCell(entry.RankByAverage), quoted_ratio};
        break;
      case QuoteOrder::ByChars:
        rank = entry.RankByChars;
        values = {chars,   count, NumberCell(entry.RankByCount),
                  average, NumberCell(entry.RankByAverage), quoted_ratio};
        break;
      case QuoteOrder::ByOwnChars:
        rank = entry.RankByOwn;
        values = {NumberCell(entry.OwnChars), chars, count, NumberCell(entry.RankByCount),
                  PercentCell(entry.OwnChars, entry.TotalChars)};
        break;
      case QuoteOrder::ByQuoted:
        rank = entry.RankByQuoted;
        values = {NumberCell(entry.QuotedChars), chars, count, NumberCell(entry.RankByCount),
                  quoted_ratio};
        break;
    }
    table.rows.push_back(RankingRow(settings, rank, entry.Id, entry.Handle, std::move(values)));
  }
  data.push_back(std::move(table));

  DataRows best = BestPostingDataRows();
  AddBestPosting("最高文字数発言", tops.most_chars, tops.most_chars.TotalChars, best);
  AddBestPosting("最高引用文字発言", tops.most_quoted, tops.most_quoted.QuotedChars, best);
  data.push_back(std::move(best));
}

}  // namespace tobrel
