#include "tally/time_tables.h"

#include "platform/cp932.h"
#include "core/posting_sorts.h"

namespace tobrel {

void WriteTimeTables(std::vector<ArticleRec>& postings, const TargetTest& target,
                     const TimeTableChoice& choice, TallyProgress& progress, ReportText& report) {
  if (!(choice.by_date || choice.by_month || choice.by_hour || choice.by_weekday ||
        choice.by_id_hour || choice.by_weekday_hour))
    return;
  auto show = [&progress](const char* text_utf8) {
    progress.ShowProgress(cp932::FromUtf8(text_utf8));
  };
  // The date table walks the postings in time order; sorting first lets
  // every table share one collection of facts.
  if (choice.by_date) {
    show("日付別集計表を作成中...");
    SortPostingsByTime(postings);
  }
  const std::vector<TimeFact> facts = CollectTimeFacts(postings, target);
  if (choice.by_date) WriteDateTable(facts, report);
  if (choice.by_month) {
    show("月別集計表を作成中...");
    WriteMonthTable(facts, report);
  }
  if (choice.by_hour) {
    show("時間帯別集計表を作成中...");
    WriteHourTable(facts, report);
  }
  if (choice.by_weekday) {
    show("曜日別集計表を作成中...");
    WriteWeekdayTable(facts, report);
  }
  if (choice.by_id_hour) {
    show("ID別時間帯集計表を作成中...");
    WriteIdHourTable(facts, postings, report);
    progress.ShowProgress("");
  }
  if (choice.by_weekday_hour) {
    show("曜日別時間帯集計表を作成中...");
    WriteWeekdayHourTable(facts, report);
  }
}

}  // namespace tobrel
