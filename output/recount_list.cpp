#include "output/recount_list.h"

#include "core/log_line_recognizers.h"
#include "core/log_store.h"
#include "core/posting_sorts.h"
#include "core/posting_assembler.h"
#include "output/sub_header_date.h"
#include "tally/comment_recount.h"

namespace tobrel {
namespace {

std::uint64_t Key(std::int32_t room, std::int32_t number) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(room)) << 32) |
         static_cast<std::uint32_t>(number);
}

}  // namespace

void CollectArticles(const LogLines& lines, std::vector<ArticleRec>& list) {
  ClearPostings(list);
  std::string_view header;
  bool waiting = false;  // a header seen, its sub-header line expected
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (IsRoomHeaderLine(line)) continue;
    if (waiting && IsSubHeaderLine(line)) {
      waiting = false;
      const bool five = IsPostingHeader5(header);
      const auto fields = five ? ParsePostingHeader5(header) : ParsePostingHeader3(header);
      ArticleRec record;
      record.Number = ReadLogInteger(fields.number, i);
      record.Id = fields.id;
      record.Room = SubHeaderRoom(line);
      const auto posted_at = PivotedSubHeaderDateTime(line);
      if (!posted_at)
        throw InvalidLogFailure(i + 1,
                                "'" + SubHeaderDateTime(line) + "' is not a valid date and time");
      record.PostedAt = *posted_at;
      const std::string_view target = SubHeaderCommentTo(line);
      record.CommentTo = target.empty() ? 0 : ReadLogInteger(target, i + 1);
      record.CommentCount = SubHeaderCommentCount(line);
      list.push_back(record);
      continue;
    }
    waiting = IsPostingHeader5(line) || IsPostingHeader3(line);
    if (waiting) header = line;
  }
}

RecountedComments::RecountedComments(const std::vector<ArticleRec>& list,
                                     TallyProgress& progress) {
  // The recount needs room, time and number order. The copy carries each
  // record's file position in its Rank, which neither the stable sort nor
  // the recount touches, so every count finds its way back.
  std::vector<ArticleRec> sorted = list;
  for (std::size_t i = 0; i < sorted.size(); ++i) sorted[i].Rank = static_cast<std::int32_t>(i);
  SortPostingsByRoomTime(sorted);
  RecountComments(sorted, progress);

  std::vector<std::int32_t> count_at(list.size());
  for (const ArticleRec& record : sorted)
    count_at[static_cast<std::size_t>(record.Rank)] = record.CommentCount;
  counts_.reserve(list.size());
  for (std::size_t i = 0; i < list.size(); ++i)
    counts_.emplace(Key(list[i].Room, list[i].Number), count_at[i]);
}

std::optional<std::int32_t> RecountedComments::Find(std::int32_t room, std::int32_t number) const {
  const auto found = counts_.find(Key(room, number));
  if (found == counts_.end()) return std::nullopt;
  return found->second;
}

}  // namespace tobrel
