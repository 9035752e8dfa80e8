#include "tally/missing_numbers.h"

#include "platform/cp932.h"
#include "tally/report_fields.h"

namespace tobrel {
namespace {

constexpr std::size_t kLineBytes = 67;

// Appends the numbers from .. to (from <= to), each entry after one blank.
void AppendGap(std::int64_t from, std::int64_t to, std::string& gathered) {
  gathered += " #";
  gathered += ZeroPadded(from, 5);
  if (from == to) {
    gathered += ' ';
  } else {
    gathered += '-';
    gathered += ZeroPadded(to, 5);
  }
}

}  // namespace

void WriteMissingNumbers(std::span<const ArticleRec> room_postings, std::int32_t room,
                         std::int64_t first, std::int64_t last, ReportText& report) {
  static const std::string kTitleOpen = cp932::FromUtf8("【");
  static const std::string kTitleClose = cp932::FromUtf8("番会議室ログの欠番情報】");
  static const std::string kRange = cp932::FromUtf8("    対象期間：  #");
  report.emplace_back();
  report.push_back(kTitleOpen + ZeroPadded(room, 2) + kTitleClose);
  report.push_back(kRange + ZeroPadded(first, 5) + " - " + ZeroPadded(last, 5));
  report.emplace_back();

  std::int64_t previous = first - 1;
  std::string gathered;
  for (const ArticleRec& posting : room_postings) {
    const std::int64_t number = posting.Number;
    if (number < first || number > last) continue;
    if (previous + 1 < number) AppendGap(previous + 1, number - 1, gathered);
    previous = number;
    if (gathered.size() > kLineBytes) {
      report.push_back(gathered);
      gathered.clear();
    }
  }
  if (previous < last) AppendGap(previous + 1, last, gathered);
  if (!gathered.empty()) report.push_back(gathered);
}

}  // namespace tobrel
