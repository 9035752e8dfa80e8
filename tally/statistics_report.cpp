#include "tally/statistics_report.h"

#include "platform/cp932.h"
#include "tally/comment_recount.h"
#include "tally/missing_numbers.h"
#include "core/posting_sorts.h"
#include "tally/room_statistics.h"
#include "tally/target_test.h"

namespace tobrel {

void StatsTobrel(LogStore& store, const TallySettings& settings, const StatsOptions& options,
                 TallyProgress& progress, ReportText& report) {
  static const std::string kCollecting = cp932::FromUtf8("会議室情報の集計...");
  static const std::string kShowing = cp932::FromUtf8("会議室情報の表示...");
  static const std::string kTitles = cp932::FromUtf8("会議室タイトル一覧の表示...");
  static const std::string kMissing = cp932::FromUtf8("会議室ログの欠番情報出力中...");
  const TargetTest target(settings.target);
  const bool missing_numbers =
      options.missing_numbers && MissingNumberCheckEnabled(settings.target.kind);
  SortPostingsByRoomTime(store.Postings);

  progress.ShowProgress(kCollecting);
  const std::vector<RoomStats> rooms = CollectRoomStats(store.Postings, target);
  if (options.title_list) RecountComments(store.Postings, progress);
  progress.ShowProgress(kShowing);

  for (const RoomStats& room : rooms) {
    if (options.room_information) WriteRoomInformation(room.stats, report);
    if (options.title_list) {
      progress.ShowProgress(kTitles);
      WriteTitleList(room.postings, room.stats.Room, options.title_form, target, report);
    }
    if (missing_numbers) {
      progress.ShowProgress(kMissing);
      WriteMissingNumbers(room.postings, room.stats.Room,
                          NumberFieldValue(settings.target.first_number),
                          NumberFieldValue(settings.target.last_number), report);
    }
  }
  progress.ShowProgress("");
}

}  // namespace tobrel
