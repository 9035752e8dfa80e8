#include "tally/monthly_data.h"

#include "platform/cp932.h"

namespace tobrel {
namespace {

// The rank in the month before and the move since, as the report's
// previous-month piece says them.
void AppendPreviousMonth(const MonthlyEntry& entry, std::size_t month, MonthKey key,
                         std::vector<std::string>& row) {
  static const std::string kFell = cp932::FromUtf8("▼");
  static const std::string kRose = cp932::FromUtf8("△");
  static const std::string kSame = cp932::FromUtf8("－");
  const bool by_count = key == MonthKey::PostCount;
  if (month == 0 ||
      (by_count ? entry.Months[month - 1].PostCount : entry.Months[month - 1].TotalChars) == 0) {
    row.insert(row.end(), {std::string(), std::string()});
    return;
  }
  const MonthSlot& before = entry.Months[month - 1];
  const MonthSlot& now = entry.Months[month];
  const std::int32_t rank_before = by_count ? before.RankByCount : before.RankByChars;
  const std::int32_t rank_now = by_count ? now.RankByCount : now.RankByChars;
  row.push_back(NumberCell(rank_before));
  row.push_back(rank_before < rank_now ? kFell : rank_before > rank_now ? kRose : kSame);
}

}  // namespace

DataRows MonthRankingDataRows(const std::vector<MonthlyEntry>& entries,
                                const std::vector<std::uint32_t>& order, std::size_t month,
                                const std::string& label, MonthKey key,
                                const TallySettings& settings) {
  const bool by_count = key == MonthKey::PostCount;
  DataRows table;
  table.header = HeaderRow({"年月", "順位"});
  if (!settings.hide_ids) table.header.push_back("ID");
  for (std::string& name :
       by_count ? HeaderRow({"ハンドル", "発言数", "発言文字数", "文字数順位", "前月順位", "前月比"})
                : HeaderRow({"ハンドル", "発言文字数", "発言数", "発言数順位", "前月順位", "前月比"}))
    table.header.push_back(std::move(name));

  for (const std::uint32_t position : order) {
    const MonthlyEntry& entry = entries[position];
    const MonthSlot& slot = entry.Months[month];
    if (slot.PostCount == 0) break;
    std::vector<std::string> row{label, NumberCell(by_count ? slot.RankByCount : slot.RankByChars)};
    if (!settings.hide_ids) row.push_back(entry.Id);
    row.emplace_back(slot.Handle);
    if (by_count) {
      row.insert(row.end(), {NumberCell(slot.PostCount), NumberCell(slot.TotalChars),
                             NumberCell(slot.RankByChars)});
    } else {
      row.insert(row.end(), {NumberCell(slot.TotalChars), NumberCell(slot.PostCount),
                             NumberCell(slot.RankByCount)});
    }
    AppendPreviousMonth(entry, month, key, row);
    table.rows.push_back(std::move(row));
  }
  return table;
}

DataRows IdMonthDataRows(const MonthlyEntry& entry, const std::vector<std::string>& labels) {
  DataRows table{HeaderRow({"年月", "ID", "ハンドル", "発言数", "発言数順位", "発言文字数",
                             "文字数順位", "平均発言文字数", "引用率"}),
                  {}};
  for (std::size_t month = 0; month < labels.size(); ++month) {
    const MonthSlot& slot = entry.Months[month];
    std::vector<std::string> row{labels[month], entry.Id, std::string(entry.Handle)};
    if (slot.PostCount < 1) {
      row.insert(row.end(), {"0", "", "0", "", "0", "0.00"});
    } else {
      row.insert(row.end(), {NumberCell(slot.PostCount), NumberCell(slot.RankByCount),
                             NumberCell(slot.TotalChars), NumberCell(slot.RankByChars),
                             NumberCell(slot.TotalChars / slot.PostCount),
                             PercentCell(slot.QuotedChars, slot.TotalChars)});
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

}  // namespace tobrel
