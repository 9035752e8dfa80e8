#include "tally/statistics_report.h"

#include "platform/cp932.h"
#include "tally/comment_recount.h"
#include "tally/missing_numbers.h"
#include "core/posting_sorts.h"
#include "tally/room_statistics.h"
#include "tally/stats_data.h"
#include "tally/target_test.h"

namespace tobrel {

void StatsTobrel(LogStore& store, const TallySettings& settings, const StatsTallyOptions& options,
                 TallyProgress& progress, ReportText& report, ReportData* data) {
  static const std::string kCollecting = cp932::FromUtf8("会議室情報の集計...");
  static const std::string kShowing = cp932::FromUtf8("会議室情報の表示...");
  static const std::string kTitles = cp932::FromUtf8("会議室タイトル一覧の表示...");
  static const std::string kMissing = cp932::FromUtf8("会議室ログの欠番情報出力中...");
  const TargetTest target(settings.target);
  const bool missing_numbers =
      options.missing_numbers && MissingNumberCheckEnabled(settings.target.kind);
  report.clear();
  if (data) data->clear();
  SortPostingsByRoomTime(store.Postings);

  progress.ShowProgress(kCollecting);
  const std::vector<RoomStats> rooms = CollectRoomStats(store.Postings, target);
  if (options.title_list) RecountComments(store.Postings, progress);
  progress.ShowProgress(kShowing);

  const long long first = missing_numbers ? NumberFieldValue(settings.target.first_number) : 0;
  const long long last = missing_numbers ? NumberFieldValue(settings.target.last_number) : 0;
  DataRows titles = TitleListDataRows(options.title_form);
  DataRows missing = MissingNumberDataRows();
  for (const RoomStats& room : rooms) {
    if (options.room_information) WriteRoomInformation(room.stats, report);
    if (options.title_list) {
      progress.ShowProgress(kTitles);
      WriteTitleList(room.postings, room.stats.Room, options.title_form, target, report);
      if (data)
        AddTitleListRows(room.postings, room.stats.Room, options.title_form, target, titles);
    }
    if (missing_numbers) {
      progress.ShowProgress(kMissing);
      WriteMissingNumbers(room.postings, room.stats.Room, first, last, report);
      if (data)
        AddMissingNumberRows(MissingNumberGaps(room.postings, first, last), room.stats.Room,
                             missing);
    }
  }
  if (data) {
    if (options.room_information) data->push_back(RoomInformationDataRows(rooms));
    if (options.title_list) data->push_back(std::move(titles));
    if (missing_numbers) data->push_back(std::move(missing));
  }
  progress.ShowProgress("");
}

}  // namespace tobrel
