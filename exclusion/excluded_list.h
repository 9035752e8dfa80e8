// The list of excluded postings without its window: one row per ExcludedRec
// with six text columns (room, number, reason, ID, handle, title), the
// list's sorts and the count label.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/article_rec.h"

namespace tobrel {

struct ExcludedListColumn {
  std::string heading;  // CP932
  int width;
  bool right_aligned;
};
// "室" "番号" "種別" "ID" "ﾊﾝﾄﾞﾙ" "題名".
const std::array<ExcludedListColumn, 6>& ExcludedListColumns();

struct ExcludedRow {
  std::int32_t room = 0;
  std::int32_t number = 0;
  std::array<std::string, 6> cells;  // CP932
};

// The rows in the order of `excluded`. The reason column reads "ID", "ﾀｲﾄﾙ",
// "重複", or nothing for an unknown reason.
std::vector<ExcludedRow> ExcludedListRows(const std::vector<ExcludedRec>& excluded);

// Sorts by `column`: 0 and 1 by room then number as numbers, 2 to 5 by the
// cell's text with letter case ignored; `descending` negates the order.
// Rows that compare equal keep their order.
void SortExcludedRows(std::vector<ExcludedRow>& rows, int column, bool descending);

// The rows as the list first shows them: sorted by column 0 in the
// direction chosen (ascending until the user picks "降順").
std::vector<ExcludedRow> InitialExcludedList(const std::vector<ExcludedRec>& excluded,
                                             bool descending = false);

// "除外発言：" + count + " 件".
std::string ExcludedCountLabel(std::size_t count);

}  // namespace tobrel
