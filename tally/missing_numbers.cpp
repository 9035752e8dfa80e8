#include "tally/missing_numbers.h"

#include "platform/cp932.h"
#include "tally/report_fields.h"

namespace tobrel {
namespace {

constexpr std::size_t kLineBytes = 67;

// Appends the numbers of `gap`, the entry after one blank.
void AppendGap(const NumberGap& gap, std::string& gathered) {
  gathered += " #";
  gathered += ZeroPadded(gap.from, 5);
  if (gap.from == gap.to) {
    gathered += ' ';
  } else {
    gathered += '-';
    gathered += ZeroPadded(gap.to, 5);
  }
}

}  // namespace

std::vector<NumberGap> MissingNumberGaps(std::span<const ArticleRec> room_postings,
                                         std::int64_t first, std::int64_t last) {
  std::vector<NumberGap> gaps;
  std::int64_t previous = first - 1;
  for (const ArticleRec& posting : room_postings) {
    const std::int64_t number = posting.Number;
    if (number < first || number > last) continue;
    if (previous + 1 < number) gaps.push_back({previous + 1, number - 1});
    previous = number;
  }
  if (previous < last) gaps.push_back({previous + 1, last, true});
  return gaps;
}

void WriteMissingNumbers(std::span<const ArticleRec> room_postings, std::int32_t room,
                         std::int64_t first, std::int64_t last, ReportText& report) {
  static const std::string kTitleOpen = cp932::FromUtf8("【");
  static const std::string kTitleClose = cp932::FromUtf8("番会議室ログの欠番情報】");
  static const std::string kRange = cp932::FromUtf8("    対象期間：  #");
  report.emplace_back();
  report.push_back(kTitleOpen + ZeroPadded(room, 2) + kTitleClose);
  report.push_back(kRange + ZeroPadded(first, 5) + " - " + ZeroPadded(last, 5));
  report.emplace_back();

  // A line is written once it passes 67 bytes, except that the gathered text
  // after the walk (the run after the last posting included) is written as
  // it is. The walk adds at most one gap per posting, so testing after each
  // gap tests after each posting that changed the text.
  std::string gathered;
  for (const NumberGap& gap : MissingNumberGaps(room_postings, first, last)) {
    AppendGap(gap, gathered);
    if (!gap.after_last_posting && gathered.size() > kLineBytes) {
      report.push_back(gathered);
      gathered.clear();
    }
  }
  if (!gathered.empty()) report.push_back(gathered);
}

}  // namespace tobrel
