// The entries of the monthly tally: one per (mapped) ID of the whole store,
// with its postings, characters and ranks in each month of the range.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/article_rec.h"
#include "tally/month_range.h"
#include "tally/tally_settings.h"

namespace tobrel {

inline constexpr std::size_t kMaxMonths = 12;

struct MonthSlot {
  std::string_view Handle;  // of the last posting counted in the month
  std::int32_t PostCount = 0;
  std::int64_t TotalChars = 0;
  std::int64_t QuotedChars = 0;
  std::int32_t RankByChars = 0;
  std::int32_t RankByCount = 0;
};

struct MonthlyEntry {
  std::string Id;           // the ID counted under
  std::string_view Handle;  // of the last posting counted in the range
  std::array<MonthSlot, kMaxMonths> Months;  // in the order of the range's months
};

// One entry per ID of `postings` (walked in their order, deleted postings
// left out, IDs mapped), in order of first appearance; each posting of one
// of `months` is counted into that month. Handles are views of the
// postings' fields, which must outlive the entries.
std::vector<MonthlyEntry> CollectMonthlyEntries(const std::vector<ArticleRec>& postings,
                                                const std::vector<YearMonth>& months,
                                                const MapSameIdFn& map_same_id);

// The keys that the entries of one month are ranked by.
enum class MonthKey { PostCount, TotalChars };

// Ranks the entries in month `month` by `first`, then by the other key (ties
// by the other key, then by first appearance), and gives the positions of
// the entries with postings in the month in the order of the ranking done
// last. The ranks of the month's slots without postings are left as they
// are.
std::vector<std::uint32_t> RankMonth(std::vector<MonthlyEntry>& entries, std::size_t month,
                                     MonthKey first);

}  // namespace tobrel
