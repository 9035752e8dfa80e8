#include "tally/comment_report.h"

#include <climits>
#include <cstdio>
#include <string>

#include "platform/cp932.h"
#include "tally/report_fields.h"

namespace tobrel {
namespace {

constexpr std::size_t kIdTableWidth = 68;
constexpr std::size_t kPostingTableWidth = 76;
constexpr int kAllPostingsRank = 50;

std::string Fixed3(double value, int width) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%*.3f", width, value);
  return buffer;
}

std::string Names(int rank, const IdTallyRec& entry, bool hide_ids) {
  static const std::string kHiddenId(kSysopDeletedId);
  return IntField(rank, 4) + " " + AlignRight(hide_ids ? kHiddenId : entry.Id, 8) + " " +
         AlignLeft(entry.Handle, 16) + " ";
}

std::string SumRow(const IdTallyRec& entry, bool hide_ids) {
  return Names(entry.RankByChars, entry, hide_ids) + CountField(entry.TotalChars, 7) + " " +
         CountField(entry.PostCount, 7) + "(" + IntField(entry.RankByCount, 4) + ")   " +
         Fixed3(entry.Average, 7) + "(" + IntField(entry.RankByAverage, 4) + ")";
}

std::string RateRow(const IdTallyRec& entry, bool hide_ids) {
  return Names(entry.RankByAverage, entry, hide_ids) + "  " + Fixed3(entry.Average, 7) + " " +
         CountField(entry.PostCount, 7) + "(" + IntField(entry.RankByCount, 4) + ") " +
         IntField(entry.TotalChars, 7) + "(" + IntField(entry.RankByChars, 4) + ")";
}

}  // namespace

int LastCommentRank(CommentLimit limit, bool postings) {
  switch (limit) {
    case CommentLimit::Top30: return 30;
    case CommentLimit::Top20: return 20;
    case CommentLimit::Top10: return 10;
    case CommentLimit::All: break;
  }
  return postings ? kAllPostingsRank : INT_MAX;
}

std::vector<RankedPosting> RankPostingsByComments(const std::vector<ArticleRec>& by_comments,
                                                  const TargetTest& target, CommentLimit limit) {
  // The in-range postings, in comment order, take competition ranks by
  // CommentCount; the table ends before the first one ranked too low.
  const int last_rank = LastCommentRank(limit, true);
  std::vector<RankedPosting> ranked;
  int position = 0;
  int rank = 0;
  const ArticleRec* previous = nullptr;
  for (const ArticleRec& posting : by_comments) {
    if (!target.InRange(posting)) continue;
    ++position;
    if (!previous || previous->CommentCount != posting.CommentCount) rank = position;
    previous = &posting;
    if (rank > last_rank) break;
    ranked.push_back({rank, &posting});
  }
  return ranked;
}

void WriteCommentIdTable(const std::vector<IdTallyRec>& entries, CommentOrder order,
                         CommentLimit limit, bool hide_ids, ReportText& report) {
  static const std::string kSumTitle = cp932::FromUtf8("【ID別被コメント数順集計】");
  static const std::string kSumHeading = cp932::FromUtf8(
      "順位     ＩＤ ハンドル          ｺﾒﾝﾄ数        発言数      平均ｺﾒﾝﾄ数");
  static const std::string kRateTitle = cp932::FromUtf8("【ID別被コメント率順集計】");
  static const std::string kRateHeading = cp932::FromUtf8(
      "順位     ＩＤ ハンドル        平均ｺﾒﾝﾄ数        発言数        ｺﾒﾝﾄ数");
  const bool by_sum = order == CommentOrder::ByCommentSum;
  report.push_back(by_sum ? kSumTitle : kRateTitle);
  report.push_back(Rule('=', kIdTableWidth));
  report.push_back(by_sum ? kSumHeading : kRateHeading);
  report.push_back(FramedRule(kIdTableWidth));
  const int last_rank = LastCommentRank(limit, false);
  for (const IdTallyRec& entry : entries) {
    if (CommentTableRank(entry, order) > last_rank) break;
    report.push_back(by_sum ? SumRow(entry, hide_ids) : RateRow(entry, hide_ids));
  }
  report.push_back(Rule('=', kIdTableWidth));
}

void WritePostingRankingTable(const std::vector<RankedPosting>& postings, ReportText& report) {
  static const std::string kTitle = cp932::FromUtf8("【発言別コメント数集計】");
  static const std::string kHeading = cp932::FromUtf8(
      "順位       番号 タイトル                                      発言日時ｺﾒﾝﾄ数");
  report.push_back(kTitle);
  report.push_back(Rule('=', kPostingTableWidth));
  report.push_back(kHeading);
  report.push_back(FramedRule(kPostingTableWidth));
  for (const auto& [rank, posting] : postings) {
    report.push_back(IntField(rank, 4) + " #" + ZeroPadded(posting->Number, 5) + "(" +
                     IntField(posting->Room, 2) + ") " + AlignLeft(posting->Title.view(), 40) +
                     " " + FormatDateTime("yy/mm/dd hh:nn", posting->PostedAt) + " " +
                     IntField(posting->CommentCount, 4));
  }
  report.push_back(Rule('=', kPostingTableWidth));
}

}  // namespace tobrel
