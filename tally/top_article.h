// TopArticle: a copy of the posting named in a best-posting line at the end
// of a table ("最高文字数発言", "最高引用文字発言"), and that line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/article_rec.h"

namespace tobrel {

struct TopArticle {
  std::int32_t Number = 0;
  std::int32_t Room = 0;
  std::string Id;  // the mapped or the posting's own ID, as the tally says
  std::string Handle;
  std::string Title;
  DateTime PostedAt = 0;
  std::int32_t TotalChars = 0;
  std::int32_t QuotedChars = 0;

  // The value shown when no posting is counted: number 0, room 0, ID
  // "********", empty handle and title, 1987/04/01 00:00, no characters.
  static TopArticle Initial();
  // A copy of `posting` holding `id`.
  static TopArticle Of(const ArticleRec& posting, std::string_view id);
};

// A best-posting line: `label` (CP932, up to its "#"), the posting number
// zero-padded to five digits, the room as "(%2d)", the date-time as
// "yy/mm/dd hh:nn", a blank, the ID right-aligned in `id_width` columns, a
// blank, the handle in 16 columns, and `chars` in six columns with "文字".
std::string BestPostingLine(std::string_view label, const TopArticle& top, std::size_t id_width,
                            std::int64_t chars);

}  // namespace tobrel
