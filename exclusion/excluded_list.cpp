#include "exclusion/excluded_list.h"

#include <algorithm>

#include "exclusion/id_text.h"
#include "platform/cp932.h"

namespace tobrel {
namespace {

std::string ReasonText(ExclusionReason reason) {
  static const std::string kTitle = cp932::FromUtf8("ﾀｲﾄﾙ");
  static const std::string kDuplicate = cp932::FromUtf8("重複");
  switch (reason) {
    case ExclusionReason::ById:
      return "ID";
    case ExclusionReason::ByTitle:
      return kTitle;
    case ExclusionReason::Duplicate:
      return kDuplicate;
  }
  return {};
}

int CompareRows(const ExcludedRow& a, const ExcludedRow& b, int column) {
  if (column <= 1) {
    if (a.room != b.room) return a.room < b.room ? -1 : 1;
    return a.number == b.number ? 0 : (a.number < b.number ? -1 : 1);
  }
  return CompareTextIgnoringCase(a.cells[column], b.cells[column]);
}

}  // namespace

const std::array<ExcludedListColumn, 6>& ExcludedListColumns() {
  static const std::array<ExcludedListColumn, 6> columns{{
      {cp932::FromUtf8("室"), 24, false},
      {cp932::FromUtf8("番号"), 48, true},
      {cp932::FromUtf8("種別"), 48, true},
      {"ID", 72, false},
      {cp932::FromUtf8("ﾊﾝﾄﾞﾙ"), 100, false},
      {cp932::FromUtf8("題名"), 216, false},
  }};
  return columns;
}

std::vector<ExcludedRow> ExcludedListRows(const std::vector<ExcludedRec>& excluded) {
  std::vector<ExcludedRow> rows;
  rows.reserve(excluded.size());
  for (const ExcludedRec& record : excluded) {
    ExcludedRow& row = rows.emplace_back();
    row.room = record.Room;
    row.number = record.Number;
    row.cells = {std::to_string(record.Room), std::to_string(record.Number),
                 ReasonText(record.Reason), record.Id.str(), record.Handle.str(),
                 record.Title.str()};
  }
  return rows;
}

void SortExcludedRows(std::vector<ExcludedRow>& rows, int column, bool descending) {
  column = std::clamp(column, 0, 5);
  std::stable_sort(rows.begin(), rows.end(), [&](const ExcludedRow& a, const ExcludedRow& b) {
    const int order = CompareRows(a, b, column);
    return descending ? order > 0 : order < 0;
  });
}

std::vector<ExcludedRow> InitialExcludedList(const std::vector<ExcludedRec>& excluded,
                                             bool descending) {
  std::vector<ExcludedRow> rows = ExcludedListRows(excluded);
  SortExcludedRows(rows, 0, descending);
  return rows;
}

std::string ExcludedCountLabel(std::size_t count) {
  static const std::string kPrefix = cp932::FromUtf8("除外発言：");
  static const std::string kSuffix = cp932::FromUtf8(" 件");
  return kPrefix + std::to_string(count) + kSuffix;
}

}  // namespace tobrel
