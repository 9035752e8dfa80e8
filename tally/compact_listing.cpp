// Compact listing below rank 100. Rows ranked 100 or better are written as
// they are. Each lower row becomes an entry: "rank..handle" (or
// "rank..handle(ID)"), or the handle alone when it shares the rank of the
// entry before it. Entries are gathered into a line as long as the gathered
// text and the new entry together take 76 bytes or less; each entry is added
// after one blank, so the first compact line begins with a blank. A line that
// cannot take the next entry is written, and that entry starts the next one
// (without the blank).
#include "tally/compact_listing.h"

#include "tally/report_fields.h"

namespace tobrel {
namespace {

constexpr int kLastFullRank = 100;
constexpr std::size_t kCompactLineWidth = 76;
constexpr std::size_t kRuleWidth = 75;

}  // namespace

CompactListing::CompactListing(bool enabled, RankForm form, bool show_ids, ReportText& report)
    : enabled_(enabled), form_(form), show_ids_(show_ids), report_(report) {}

std::string CompactListing::EntryText(int rank, std::string_view handle,
                                      std::string_view id) const {
  std::string text;
  if (rank != previous_rank_) {
    text = form_ == RankForm::Padded ? IntField(rank, 4) : std::to_string(rank);
    text += "..";
  }
  text += TrimRight(handle);
  if (show_ids_) {
    text += '(';
    text += id;
    text += ')';
  }
  return text;
}

void CompactListing::AddRow(std::string row, int rank, std::string_view handle,
                            std::string_view id) {
  if (!enabled_ || rank <= kLastFullRank) {
    report_.push_back(std::move(row));
    return;
  }
  if (!rule_written_) {
    report_.push_back(Rule('-', kRuleWidth));
    rule_written_ = true;
  }
  std::string entry = EntryText(rank, handle, id);
  previous_rank_ = rank;
  if (gathered_.size() + entry.size() <= kCompactLineWidth) {
    gathered_ += ' ';
    gathered_ += entry;
  } else {
    report_.push_back(std::move(gathered_));
    gathered_ = std::move(entry);
  }
}

void CompactListing::Finish() {
  if (!gathered_.empty()) report_.push_back(std::move(gathered_));
  gathered_.clear();
}

}  // namespace tobrel
