#include "cli/reports.h"
#include "core/read_data_file.h"
#include "exclusion/excluded_list.h"
#include "tally/tsv_text.h"

namespace tobrel {

std::vector<std::string> SaveDataReport(ReportContext& context) {
  // The Shift-close writes nothing for a store without postings.
  if (context.store.Postings.empty()) return {};
  return ReadDataLines(context.store);
}

std::vector<std::string> ExcludedReport(ReportContext& context) {
  std::vector<std::string> lines;
  for (const ExcludedRow& row : InitialExcludedList(context.store.Excluded)) {
    std::string line;
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
      if (i > 0) line += '\t';
      AppendTsvCell(row.cells[i], line);
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace tobrel
