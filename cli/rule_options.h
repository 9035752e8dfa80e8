// The options of the exclusion and same-person rules and of the read-data
// files: --exclude-ids, --exclude-title, --title-mode, --same-ids, --data.
// Any of the three rules turns on the master switch.
// Also the check that a tally has something to count.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "core/log_store.h"
#include "core/read_run.h"
#include "exclusion/exclusion_rules.h"
#include "regex/regex_error.h"

namespace tobrel {

// When arguments[i] is one of the options above, takes it (and its value,
// moving `i` on) into `options` and gives true. The ID list files are read
// and checked here as the ID list editor checks them, so a bad list is a
// usage error. Throws Failure when the value is missing or bad: of kind
// BadArgument (message() the usage text, ASCII), FileUnreadable for a list
// file that cannot be read (RegularFileFailure, platform/regular_file.h),
// BadIdList for a bad list (file() the list, line() its first bad line,
// message() the editor's text in CP932).
bool ParseRuleOption(const std::vector<std::string>& arguments, std::size_t& i,
                     CliOptions& options);

// True when any rule option was given: the master switch.
bool RulesWanted(const CliOptions& options);

// The message of a pattern that did not compile (CP932), to print after
// "tobrel-cli: ": "正規表現が不正です", as the window says, and for a pattern
// that failed only on the matcher's bounds a second line "tobrel-cli: the
// pattern is too complex for the matcher's limits".
std::string PatternErrorMessage(const ERegexSyntax& error);

// Puts the options' rules into `rules`. Throws Failure of kind BadPattern
// whose message() is PatternErrorMessage when the title pattern of regex
// mode does not compile.
void SetUpRules(const CliOptions& options, ExclusionRules& rules);

// Loads the --data files in order into `store` and `candidates`; stops at
// the first that fails and throws its Failure (LoadReadDataFile,
// core/read_data_load.h), the files before it loaded.
void LoadDataFiles(const CliOptions& options, LogStore& store,
                   std::vector<CandidateFile>& candidates, int current_year);

// The tallies (count, quote, comment, stats, month) refuse to run when no
// log was read, as the window does: throws Failure of kind TallyRefused
// whose message() is "ログファイルが読み込まれていません" (CP932) then.
void CheckSomethingRead(const CliOptions& options, const LogStore& store);

}  // namespace tobrel
