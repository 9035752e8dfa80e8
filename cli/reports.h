// The reports that tobrel-cli can write, by name. Each one turns the store
// that the reading run filled into the lines of its report.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_options.h"
#include "core/log_store.h"
#include "exclusion/exclusion_rules.h"
#include "platform/clock.h"

namespace tobrel {

struct ReportContext {
  const CliOptions& options;
  LogStore& store;
  const ExclusionRules& rules;  // the rules of the options, as reading used them
  const Clock& clock;
  std::ostream& progress;  // progress texts (UTF-8), only with --progress
  // Set by a tally under --format html or svg: the whole UTF-8 document,
  // written as it stands in place of the returned lines.
  std::optional<std::string> document = std::nullopt;
};

using ReportFunction = std::vector<std::string> (*)(ReportContext& context);

// The report called `name`, or nullptr.
ReportFunction FindReport(std::string_view name);

// The posting-count tally with the time tables of --tables.
std::vector<std::string> CountReport(ReportContext& context);

// The quotation tally in the order of --order.
std::vector<std::string> QuoteReport(ReportContext& context);

// The comment tally, the statistics report and the monthly tally; the
// monthly tally throws Failure (TallyRefused) when its checks fail.
std::vector<std::string> CommentReport(ReportContext& context);
std::vector<std::string> StatsReport(ReportContext& context);
std::vector<std::string> MonthReport(ReportContext& context);

// One tab-separated line per stored posting with every field: the "read"
// report, a debugging aid.
std::vector<std::string> PostingListReport(ReportContext& context);

// The read-data file's lines, and the excluded postings as their list shows
// them (cli/data_commands.cpp).
std::vector<std::string> SaveDataReport(ReportContext& context);
std::vector<std::string> ExcludedReport(ReportContext& context);

}  // namespace tobrel
