// The target test that every tally applies to each posting, and the target
// lines at the head of a report.
#pragma once

#include "core/article_rec.h"
#include "tally/report_text.h"
#include "tally/tally_settings.h"

namespace tobrel {

class TargetTest {
 public:
  // Reads the range once. Throws Failure of kind BadNumberText when a number
  // text of a number range is not an integer.
  explicit TargetTest(const TallyTarget& target);

  // True when the posting lies in the range: start <= number <= end, or
  // first day 00:00 <= date-time < the day after the last day.
  bool InRange(const ArticleRec& posting) const;

  // True when the posting is counted: in the range, and deleted neither by
  // the forum operator nor by its poster.
  bool Counts(const ArticleRec& posting) const {
    return InRange(posting) && !IsSysopDeleted(posting) && !IsPosterDeleted(posting);
  }

 private:
  TargetKind kind_;
  long long first_number_ = 0;
  long long last_number_ = 0;
  DateTime from_ = 0;   // the first day at 00:00
  DateTime until_ = 0;  // the day after the last day at 00:00
};

// The integer value of a number field's text (blanks around it and a sign
// allowed). Throws Failure of kind BadNumberText for any other text, whose
// message is "'TEXT' is not a valid integer value".
long long NumberFieldValue(const std::string& text);

// Appends the three target lines: the kind, the range, an empty line.
void WriteTargetLines(const TallyTarget& target, ReportText& report);

}  // namespace tobrel
