// The tables of the comment tally: posters by comment sum or by comments
// per posting, and postings by their comments.
#pragma once

#include <cstdint>
#include <vector>

#include "core/article_rec.h"
#include "tally/comment_tally.h"
#include "tally/id_tally_rec.h"
#include "tally/target_test.h"

namespace tobrel {

// The last rank that a table writes: 30, 20 or 10; for All every poster,
// or postings down to rank 50 (`postings`).
int LastCommentRank(CommentLimit limit, bool postings);

// The rank by comment sum (ByCommentSum) or by comments per posting
// (ByCommentRate) of a poster: the rank of its table.
inline int CommentTableRank(const IdTallyRec& entry, CommentOrder order) {
  return order == CommentOrder::ByCommentSum ? entry.RankByChars : entry.RankByAverage;
}

// A posting of the posting table with its rank.
struct RankedPosting {
  int rank;
  const ArticleRec* posting;
};

// The postings of `by_comments` (in OrderByCommentCount order) that lie in
// the target range, with competition ranks by CommentCount, down to the
// limit. The pointers point into `by_comments`.
std::vector<RankedPosting> RankPostingsByComments(const std::vector<ArticleRec>& by_comments,
                                                  const TargetTest& target, CommentLimit limit);

// Writes the table of posters for ByCommentSum or ByCommentRate. `entries`
// are the comment form of IdTallyRec (TotalChars holds the comment sum,
// Average the comments per posting, RankByChars the rank by comment sum), in
// table order with every rank set. With `hide_ids` the ID column shows
// "********".
void WriteCommentIdTable(const std::vector<IdTallyRec>& entries, CommentOrder order,
                         CommentLimit limit, bool hide_ids, ReportText& report);

// Writes the table of postings, ranked as RankPostingsByComments gives them.
void WritePostingRankingTable(const std::vector<RankedPosting>& postings, ReportText& report);

}  // namespace tobrel
