// The rows of a ranking table, with the compact listing below rank 100: when
// it is on, rows ranked 101 or lower are written as short entries (rank,
// handle, ID) gathered several to a line, after one rule of 75 "-".
#pragma once

#include <string>
#include <string_view>

#include "tally/report_text.h"

namespace tobrel {

class CompactListing {
 public:
  enum class RankForm {
    Padded,  // "%4d..": posting-count tally
    Plain,   // "%d..": quotation tally
  };

  // `enabled`: "集計表には上位100位まで(&U)"; `show_ids`: entries carry the ID.
  CompactListing(bool enabled, RankForm form, bool show_ids, ReportText& report);
  CompactListing(const CompactListing&) = delete;
  CompactListing& operator=(const CompactListing&) = delete;

  // Writes one table row whose ranking rank is `rank`, or gathers its
  // compact entry.
  void AddRow(std::string row, int rank, std::string_view handle, std::string_view id);

  // Writes the last, partly filled compact line. Call after the last row.
  void Finish();

 private:
  std::string EntryText(int rank, std::string_view handle, std::string_view id) const;

  bool enabled_;
  RankForm form_;
  bool show_ids_;
  ReportText& report_;
  bool rule_written_ = false;
  int previous_rank_ = 0;
  std::string gathered_;
};

}  // namespace tobrel
