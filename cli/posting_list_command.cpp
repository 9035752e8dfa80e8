#include <cstdio>

#include "cli/reports.h"
#include "tally/tsv_text.h"

namespace tobrel {

std::vector<std::string> PostingListReport(ReportContext& context) {
  std::vector<std::string> lines;
  lines.reserve(context.store.Postings.size());
  char numbers[160];
  for (const ArticleRec& posting : context.store.Postings) {
    std::string line = std::to_string(posting.Number);
    line += '\t';
    AppendTsvCell(posting.Id.view(), line);
    line += '\t';
    AppendTsvCell(posting.Handle.view(), line);
    line += '\t';
    AppendTsvCell(posting.Title.view(), line);
    std::snprintf(numbers, sizeof numbers, "\t%d\t%s\t%d\t%d\t%d\t%d\t%d\t%d", posting.Room,
                  FormatDateTime("yyyy/mm/dd hh:nn", posting.PostedAt).c_str(),
                  posting.CommentTo, posting.CommentCount, posting.TotalChars,
                  posting.QuotedChars, posting.OwnChars, posting.Rank);
    line += numbers;
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace tobrel
