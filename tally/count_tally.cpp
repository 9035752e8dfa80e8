// The posting-count tally. One walk over the postings in store order counts
// each posting of the target range under its (mapped) ID and keeps the first
// posting with the most characters. The entries are then ranked by average,
// and by characters and by postings in the order that leaves the table in
// the chosen order: the ranking done last decides the rows' order. The time
// tables follow, over all the postings again.
#include "tally/count_tally.h"

#include "platform/cp932.h"
#include "tally/count_report.h"
#include "tally/count_data.h"
#include "tally/id_accumulator.h"
#include "tally/ranking.h"
#include "tally/target_test.h"
#include "tally/top_article.h"

namespace tobrel {

void NormalTobrel(LogStore& store, const TallySettings& settings,
                  const CountTallyOptions& options, TallyProgress& progress,
                  ReportText& report, ReportData* data) {
  static const std::string kCounting = cp932::FromUtf8("発言集計中...");
  const TargetTest target(settings.target);
  report.clear();
  if (data) data->clear();
  progress.ShowProgress(kCounting);

  IdAccumulator accumulator;
  TopArticle top = TopArticle::Initial();
  for (const ArticleRec& posting : store.Postings) {
    if (!target.Counts(posting)) continue;
    const std::string id =
        settings.MapSameId ? settings.MapSameId(posting.Id.view()) : posting.Id.str();
    accumulator.Count(id, posting.Handle.view()).TotalChars += posting.TotalChars;
    if (posting.TotalChars > top.TotalChars) top = TopArticle::Of(posting, posting.Id.view());
  }

  std::vector<IdTallyRec> entries = accumulator.TakeEntries();
  ComputeAverages(entries);
  RankEntries(entries, RankKey::Average, RankKey::PostCount, &IdTallyRec::RankByAverage);
  if (options.order == CountOrder::ByPostings ||
      options.order == CountOrder::ByPostingsCumulative) {
    RankEntries(entries, RankKey::TotalChars, RankKey::PostCount, &IdTallyRec::RankByChars);
    RankEntries(entries, RankKey::PostCount, RankKey::TotalChars, &IdTallyRec::RankByCount);
  } else {
    RankEntries(entries, RankKey::PostCount, RankKey::TotalChars, &IdTallyRec::RankByCount);
    RankEntries(entries, RankKey::TotalChars, RankKey::PostCount, &IdTallyRec::RankByChars);
  }

  WriteTargetLines(settings.target, report);
  WriteCountTable(entries, top, options.order, settings, progress, report);
  if (data) AddCountData(entries, top, options.order, settings, *data);
  entries.clear();
  WriteTimeTables(store.Postings, target, options.time_tables, progress, report, data);
  progress.ShowProgress("");
}

}  // namespace tobrel
