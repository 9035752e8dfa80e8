#include "tally/target_test.h"

#include <charconv>
#include <cmath>

#include "platform/cp932.h"
#include "platform/failure.h"

namespace tobrel {

long long NumberFieldValue(const std::string& text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  if (begin < end && text[begin] == '+') ++begin;
  long long value = 0;
  const auto [stop, error] = std::from_chars(text.data() + begin, text.data() + end, value);
  if (begin == end || error != std::errc() || stop != text.data() + end)
    throw Failure(FailureKind::BadNumberText, "'" + text + "' is not a valid integer value");
  return value;
}

TargetTest::TargetTest(const TallyTarget& target) : kind_(target.kind) {
  if (kind_ == TargetKind::ByNumber) {
    first_number_ = NumberFieldValue(target.first_number);
    last_number_ = NumberFieldValue(target.last_number);
  } else {
    from_ = std::floor(target.first_day);
    until_ = std::floor(target.last_day) + 1;
  }
}

bool TargetTest::InRange(const ArticleRec& posting) const {
  if (kind_ == TargetKind::ByNumber)
    return first_number_ <= posting.Number && posting.Number <= last_number_;
  return from_ <= posting.PostedAt && posting.PostedAt < until_;
}

void WriteTargetLines(const TallyTarget& target, ReportText& report) {
  static const std::string kByNumber = cp932::FromUtf8("    集計対象：番号指定");
  static const std::string kByDate = cp932::FromUtf8("    集計対象：日付指定");
  static const std::string kUntil = cp932::FromUtf8(" ～ ");
  static const std::string kIndent(14, ' ');
  if (target.kind == TargetKind::ByNumber) {
    report.push_back(kByNumber);
    report.push_back(kIndent + "#" + target.first_number + kUntil + "#" + target.last_number);
  } else {
    report.push_back(kByDate);
    report.push_back(kIndent + FormatDateTime("yy/mm/dd", target.first_day) + kUntil +
                     FormatDateTime("yy/mm/dd", target.last_day));
  }
  report.emplace_back();
}

}  // namespace tobrel
