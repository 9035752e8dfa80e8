#include "tally/time_tables.h"

namespace tobrel {

void WriteTimeTables(std::vector<ArticleRec>& postings, const TargetTest& target,
                     const TimeTableChoice& choice, TallyProgress& progress, ReportText& report) {
  if (choice.by_date) WriteDateTable(postings, target, progress, report);
  if (choice.by_month) WriteMonthTable(postings, target, progress, report);
  if (choice.by_hour) WriteHourTable(postings, target, progress, report);
  if (choice.by_weekday) WriteWeekdayTable(postings, target, progress, report);
  if (choice.by_id_hour) WriteIdHourTable(postings, target, progress, report);
  if (choice.by_weekday_hour) WriteWeekdayHourTable(postings, target, progress, report);
}

}  // namespace tobrel
