// The private list of postings that the processing output recounts comments
// over: one record per posting of the input log, in file order, with its
// number, room, date-time, comment target and stored comment count.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "core/article_rec.h"
#include "core/log_lines.h"
#include "tally/tally_progress.h"

namespace tobrel {

// Replaces `list` with the postings of `lines`: a posting header line (either
// form) followed by a sub-header line makes a record; a header followed by
// any other line is dropped and that line looked at again. Room header lines
// are passed over wherever they stand. Throws InvalidLogFailure
// (core/posting_assembler.h) for a date that does not exist or a comment
// target that is not a number.
void CollectArticles(const LogLines& lines, std::vector<ArticleRec>& list);

// The recounted comment count of every posting of `list`, found by room and
// number (the first posting of the file wins). `list` keeps its file order;
// the recount runs over a copy in room, time and number order.
class RecountedComments {
 public:
  RecountedComments(const std::vector<ArticleRec>& list, TallyProgress& progress);
  // The count of the posting `number` of `room`, or nothing when the log has
  // no such posting.
  std::optional<std::int32_t> Find(std::int32_t room, std::int32_t number) const;

 private:
  std::unordered_map<std::uint64_t, std::int32_t> counts_;
};

}  // namespace tobrel
