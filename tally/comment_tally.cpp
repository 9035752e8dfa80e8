#include "tally/comment_tally.h"

#include "platform/cp932.h"
#include "tally/comment_recount.h"
#include "tally/comment_report.h"
#include "tally/comment_data.h"
#include "tally/id_accumulator.h"
#include "core/posting_sorts.h"
#include "tally/ranking.h"
#include "tally/target_test.h"

namespace tobrel {
namespace {

// The posters of the target range with their comment sums (held in
// TotalChars), comments per posting and ranks, in table order.
std::vector<IdTallyRec> RankedPosters(const std::vector<ArticleRec>& postings,
                                      const TargetTest& target, const TallySettings& settings,
                                      CommentOrder order) {
  IdAccumulator accumulator;
  for (const ArticleRec& posting : postings) {
    if (!target.Counts(posting)) continue;
    const std::string id =
        settings.MapSameId ? settings.MapSameId(posting.Id.view()) : posting.Id.str();
    accumulator.Count(id, posting.Handle.view()).TotalChars += posting.CommentCount;
  }
  std::vector<IdTallyRec> entries = accumulator.TakeEntries();
  ComputeAverages(entries);
  // A key given as its own tie-break has no second key.
  RankEntries(entries, RankKey::PostCount, RankKey::PostCount, &IdTallyRec::RankByCount);
  if (order == CommentOrder::ByCommentSum) {
    RankEntries(entries, RankKey::Average, RankKey::PostCount, &IdTallyRec::RankByAverage);
    RankEntries(entries, RankKey::TotalChars, RankKey::TotalChars, &IdTallyRec::RankByChars);
  } else {
    RankEntries(entries, RankKey::TotalChars, RankKey::TotalChars, &IdTallyRec::RankByChars);
    RankEntries(entries, RankKey::Average, RankKey::PostCount, &IdTallyRec::RankByAverage);
  }
  return entries;
}

}  // namespace

void CommentTobrel(LogStore& store, const TallySettings& settings,
                   const CommentTallyOptions& options,
                   TallyProgress& progress, ReportText& report, ReportData* data) {
  static const std::string kListing = cp932::FromUtf8("コメントリストを作成中...");
  static const std::string kRanking = cp932::FromUtf8("コメント数順位作成..");
  static const std::string kShowing = cp932::FromUtf8("コメント情報を表示中...");
  const TargetTest target(settings.target);
  report.clear();
  if (data) data->clear();
  SortPostingsByRoomTime(store.Postings);
  if (!store.CommentsRecounted) {
    RecountComments(store.Postings, progress);
    store.CommentsRecounted = true;
  }
  progress.ShowProgress(kListing);

  std::vector<IdTallyRec> posters;
  if (options.order == CommentOrder::ByPosting) {
    progress.ShowProgress(kRanking);
    SortPostingsByCommentCount(store.Postings);
  } else {
    posters = RankedPosters(store.Postings, target, settings, options.order);
  }

  progress.ShowProgress(kShowing);
  WriteTargetLines(settings.target, report);
  if (options.order == CommentOrder::ByPosting) {
    const std::vector<RankedPosting> ranked =
        RankPostingsByComments(store.Postings, target, options.limit);
    WritePostingRankingTable(ranked, report);
    if (data) data->push_back(PostingRankingDataRows(ranked));
  } else {
    WriteCommentIdTable(posters, options.order, options.limit, settings.hide_ids, report);
    if (data)
      data->push_back(
          CommentIdDataRows(posters, options.order, options.limit, settings.hide_ids));
  }
  progress.ShowProgress("");
}

}  // namespace tobrel
