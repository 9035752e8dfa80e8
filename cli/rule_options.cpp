#include "cli/rule_options.h"

#include <string_view>

#include "core/log_lines.h"
#include "core/read_data_load.h"
#include "exclusion/id_list.h"
#include "exclusion/id_list_file.h"
#include "platform/cp932.h"
#include "regex/regex_error.h"
#include "session/nothing_read.h"

namespace tobrel {
namespace {

// Reads and checks an ID list file; gives the checked list.
std::vector<std::string> LoadCheckedList(
    const std::string& path, IdListCheck (*check)(const std::vector<std::string_view>&),
    const std::string& message) {
  const std::vector<std::string> lines = LoadIdListFile(path);
  const std::vector<std::string_view> views(lines.begin(), lines.end());
  IdListCheck result = check(views);
  if (!result.accepted()) throw Failure(FailureKind::BadIdList, message, path, *result.bad_line);
  return std::move(result.entries);
}

}  // namespace

bool ParseRuleOption(const std::vector<std::string>& arguments, std::size_t& i,
                     CliOptions& options) {
  const std::string& arg = arguments[i];
  if (arg != "--exclude-ids" && arg != "--exclude-title" && arg != "--title-mode" &&
      arg != "--same-ids" && arg != "--data")
    return false;
  if (i + 1 >= arguments.size()) throw Failure(FailureKind::BadArgument, arg + " needs a value");
  const std::string& value = arguments[++i];
  if (arg == "--exclude-ids" || arg == "--same-ids") options.id_list_files.push_back(value);
  if (arg == "--exclude-ids") {
    options.excluded_ids = LoadCheckedList(value, CheckExcludedIdLines, NotNiftyIdMessage());
  } else if (arg == "--same-ids") {
    options.same_id_pairs =
        LoadCheckedList(value, CheckSameIdLines, DuplicateOrNotNiftyIdMessage());
  } else if (arg == "--exclude-title") {
    options.exclude_title = cp932::FromUtf8(value);
  } else if (arg == "--title-mode") {
    if (value == "regex")
      options.title_mode = TitleMode::Regex;
    else if (value == "prefix")
      options.title_mode = TitleMode::Prefix;
    else
      throw Failure(FailureKind::BadArgument, "--title-mode needs regex or prefix");
  } else {
    options.data_files.push_back(value);
  }
  return true;
}

std::string PatternErrorMessage(const ERegexSyntax& error) {
  std::string message(kInvalidPatternMessage);
  if (error.TooComplex())
    message += "\ntobrel-cli: the pattern is too complex for the matcher's limits";
  return message;
}

bool RulesWanted(const CliOptions& options) {
  return options.excluded_ids || options.exclude_title || options.same_id_pairs;
}

void SetUpRules(const CliOptions& options, ExclusionRules& rules) {
  rules.master = RulesWanted(options);
  rules.id_rule = options.excluded_ids.has_value();
  if (rules.id_rule) rules.ExcludedIds = *options.excluded_ids;
  rules.same_id_rule = options.same_id_pairs.has_value();
  if (rules.same_id_rule) rules.SameIdPairs = *options.same_id_pairs;
  rules.title_rule = options.exclude_title.has_value();
  rules.title_mode = options.title_mode;
  rules.title_text = options.exclude_title.value_or("");
  if (rules.title_rule && rules.title_mode == TitleMode::Regex) {
    try {
      rules.LineMatcher2.SetRegExp(rules.title_text);
    } catch (const ERegexSyntax& e) {
      throw Failure(FailureKind::BadPattern, PatternErrorMessage(e));
    }
  }
}

void LoadDataFiles(const CliOptions& options, LogStore& store,
                   std::vector<CandidateFile>& candidates, int current_year) {
  for (const std::string& path : options.data_files)
    LoadReadDataFile(path, store, candidates, current_year);
}

void CheckSomethingRead(const CliOptions& options, const LogStore& store) {
  static constexpr std::string_view kTallies[] = {"count", "quote", "comment", "stats", "month"};
  bool tally = false;
  for (const std::string_view name : kTallies) tally = tally || options.report == name;
  if (tally && NothingRead(store))
    throw Failure(FailureKind::TallyRefused, std::string(kNothingReadMessage));
}

}  // namespace tobrel
