// The time-distribution tables: postings of the target range by date, month,
// hour, weekday, ID and hour, weekday and hour. Each table applies the target
// test itself and counts the posting's own ID (no same-person mapping).
#pragma once

#include <vector>

#include "core/article_rec.h"
#include "tally/report_text.h"
#include "tally/tally_progress.h"
#include "tally/target_test.h"

namespace tobrel {

// Which tables to write; they are written in this order.
struct TimeTableChoice {
  bool by_date = false;          // "日付別集計(&D)"
  bool by_month = false;         // "月別集計(&M)"
  bool by_hour = false;          // "時間帯別集計(&T)"
  bool by_weekday = false;       // "曜日別集計(&W)"
  bool by_id_hour = false;       // "ID別時間帯集計（&I)"
  bool by_weekday_hour = false;  // "曜日別時間帯集計(&Z)"
};

// Sorts `postings` by time (the order stays) and writes the table per day.
void WriteDateTable(std::vector<ArticleRec>& postings, const TargetTest& target,
                    TallyProgress& progress, ReportText& report);
void WriteMonthTable(const std::vector<ArticleRec>& postings, const TargetTest& target,
                     TallyProgress& progress, ReportText& report);
void WriteHourTable(const std::vector<ArticleRec>& postings, const TargetTest& target,
                    TallyProgress& progress, ReportText& report);
void WriteWeekdayTable(const std::vector<ArticleRec>& postings, const TargetTest& target,
                       TallyProgress& progress, ReportText& report);
// Clears the progress text when it is done.
void WriteIdHourTable(const std::vector<ArticleRec>& postings, const TargetTest& target,
                      TallyProgress& progress, ReportText& report);
void WriteWeekdayHourTable(const std::vector<ArticleRec>& postings, const TargetTest& target,
                           TallyProgress& progress, ReportText& report);

// Writes the chosen tables in order.
void WriteTimeTables(std::vector<ArticleRec>& postings, const TargetTest& target,
                     const TimeTableChoice& choice, TallyProgress& progress, ReportText& report);

}  // namespace tobrel
