// The best-posting lines of the posting-count and quotation tallies
// ("最高文字数発言", "最高引用文字発言") as an exported table.
#pragma once

#include <cstdint>
#include <string_view>

#include "tally/report_data.h"
#include "tally/top_article.h"

namespace tobrel {

// The table's header: kind, number, room, date-time, ID, handle, characters.
DataRows BestPostingDataRows();

// Adds the row of `top` under `kind_utf8` with `chars`, its characters as
// the line counts them.
void AddBestPosting(std::string_view kind_utf8, const TopArticle& top, std::int64_t chars,
                    DataRows& table);

}  // namespace tobrel
