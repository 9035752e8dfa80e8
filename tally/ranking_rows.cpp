#include "tally/ranking_rows.h"

#include "tally/report_data.h"

namespace tobrel {
namespace {

constexpr std::int32_t kLastFullRank = 100;

}  // namespace

std::vector<std::string> RankingHeader(bool hide_ids,
                                       std::initializer_list<std::string_view> values_utf8) {
  std::vector<std::string> header = hide_ids ? HeaderRow({"順位", "ハンドル"})
                                             : HeaderRow({"順位", "ID", "ハンドル"});
  for (std::string& name : HeaderRow(values_utf8)) header.push_back(std::move(name));
  return header;
}

std::vector<std::string> RankingRow(const TallySettings& settings, std::int32_t rank,
                                    std::string_view id, std::string_view handle,
                                    std::vector<std::string> values) {
  std::vector<std::string> row{NumberCell(rank)};
  if (!settings.hide_ids) row.emplace_back(id);
  row.emplace_back(handle);
  const bool compact = settings.top100_only && rank > kLastFullRank;
  for (std::string& value : values) row.push_back(compact ? std::string() : std::move(value));
  return row;
}

}  // namespace tobrel
