#include "output/recount_list.h"

#include <algorithm>
#include <numeric>

#include "core/log_line_recognizers.h"
#include "core/log_store.h"
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
        throw LogFormatError(i + 1, "'" + SubHeaderDateTime(line) + "' is not a valid date and time");
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
  // The recount needs room, time and number order; a stable sort of the
  // positions keeps equal postings in file order and says where each went.
  std::vector<std::size_t> order(list.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&list](std::size_t a, std::size_t b) {
    return OrderByRoomTime(list[a], list[b]);
  });
  std::vector<ArticleRec> sorted;
  sorted.reserve(list.size());
  for (const std::size_t position : order) sorted.push_back(list[position]);
  RecountComments(sorted, progress);

  std::vector<std::int32_t> count_at(list.size());
  for (std::size_t i = 0; i < order.size(); ++i) count_at[order[i]] = sorted[i].CommentCount;
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
