// What the ranking tables of the posting-count, quotation and monthly tallies
// share when they are exported: the leading cells of a row (rank, ID unless
// hidden, handle) and the short rows below rank 100 of the compact listing.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "tally/tally_settings.h"

namespace tobrel {

// The header names: "順位", "ID" unless hidden, "ハンドル", then `values`.
std::vector<std::string> RankingHeader(bool hide_ids,
                                       std::initializer_list<std::string_view> values_utf8);

// A row: rank, ID unless hidden, handle, then `values`. Under the compact
// listing ("集計表には上位100位まで(&U)") a row ranked below 100 keeps only
// its rank, ID and handle, as the listing shows it; its value cells stay
// empty.
std::vector<std::string> RankingRow(const TallySettings& settings, std::int32_t rank,
                                    std::string_view id, std::string_view handle,
                                    std::vector<std::string> values);

}  // namespace tobrel
