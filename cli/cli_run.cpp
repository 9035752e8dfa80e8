#include "cli/cli_run.h"

#include <memory>

#include "cli/aclogs_command.h"
#include "cli/cache_command.h"
#include "cli/log_output_commands.h"
#include "cli/failure_text.h"
#include "cli/report_output.h"
#include "cli/output_guard.h"
#include "cli/read_health_messages.h"
#include "cli/reports.h"
#include "cli/rule_options.h"
#include "core/read_run.h"
#include "platform/cp932.h"
#include "platform/failure.h"
#include "platform/path_text.h"
#include "regex/line_matcher.h"
#include "regex/quote_pattern.h"
#include "regex/regex_error.h"
#include "session/reading_inputs.h"

namespace tobrel {
namespace {

// What the processing dialog says when the output is its input (UTF-8).
constexpr const char* kProcessOutputIsInputMessage = "入力ログﾌｧｲﾙ名と出力先が同じです";

// Shows the reading run's status texts on the error stream.
class ProgressPrinter final : public ReadRunObserver {
 public:
  ProgressPrinter(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}
  void ShowStatus(std::string_view text) override {
    if (enabled_ && !text.empty()) err_ << cp932::ToUtf8(text) << '\n';
  }
  // No progress bar: the run need not count lines first.
  bool ShowsProgress() const override { return false; }
  void ShowReadHealth(const std::vector<FileReadHealth>& files) override { health = files; }

  std::vector<FileReadHealth> health;

 private:
  std::ostream& err_;
  bool enabled_;
};

// Prints nothing: the progress stream of a run without --progress.
class NullBuffer final : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
};

std::unique_ptr<Clock> MakeClock(const CliOptions& options) {
  if (options.today) return std::make_unique<FixedClock>(*options.today);
  return std::make_unique<SystemClock>();
}

}  // namespace

int RunCli(const CliOptions& options, std::ostream& out, std::ostream& err) {
  // Before anything is read, for every command that takes -o.
  if (const auto clash = InputNamedByOutput(options)) {
    if (options.report == "process" && clash->role == "input log")
      err << "tobrel-cli: " << kProcessOutputIsInputMessage << '\n';  // as its dialog says it
    else
      err << "tobrel-cli: -o " << PathToUtf8(options.output) << " is the " << clash->role << ' '
          << PathToUtf8(clash->input) << "; it is not replaced\n";
    return kExitUsage;
  }
  if (options.report == kAcLogsCommand) return RunAcLogs(options, out, err);
  if (options.report == kCacheCommand) return RunCacheCommand(options, out);
  if (IsLogOutputCommand(options.report)) return RunLogOutputCommand(options, out, err);
  const ReportFunction report = FindReport(options.report);
  if (!report) {
    err << "tobrel-cli: unknown report " << options.report << '\n';
    return kExitUsage;
  }
  const std::unique_ptr<Clock> clock = MakeClock(options);

  // The quote matcher: the pattern of --quote, or the default one.
  TLineMatcher quote_matcher;
  try {
    quote_matcher.SetRegExp(options.quote.value_or(std::string(kDefaultQuotePattern)));
  } catch (const ERegexSyntax& e) {
    err << "tobrel-cli: " << cp932::ToUtf8(PatternErrorMessage(e)) << '\n';
    return ExitStatusOf(e);
  }

  ExclusionRules rules;
  try {
    SetUpRules(options, rules);
  } catch (const Failure& failure) {
    err << "tobrel-cli: " << cp932::ToUtf8(failure.message()) << '\n';
    return ExitStatusOf(failure);
  }

  LogStore store;
  ProgressPrinter observer(err, options.progress);
  int status = kExitDone;
  // The --data files first: their logs join the candidates as read.
  std::vector<CandidateFile> candidates;
  try {
    LoadDataFiles(options, store, candidates, clock->CurrentYear());
  } catch (const Failure& failure) {
    err << "tobrel-cli: " << cp932::ToUtf8(failure.message()) << '\n';
    status = ExitStatusOf(failure);
  }
  for (const std::string& path : options.logs) candidates.push_back({path, true});
  ReadOptions reading;
  reading.delimiter_only = options.delimiter_only;
  reading.exclude_interway = options.interway;
  ReadRunInputs inputs = MakeReadingInputs(std::move(candidates), reading, rules, quote_matcher);
  if (!options.no_cache) UseLogCache(inputs, quote_matcher);
  // Without logs nothing is read: a loaded read-data file stays as it was.
  if (status == kExitDone && !options.logs.empty()) {
    if (const auto failure = ReadLogFiles(store, inputs, *clock, observer).stopped_by) {
      err << "tobrel-cli: " << cp932::ToUtf8(failure->message()) << '\n';
      status = kExitReadError;
    }
    PrintReadHealth(observer.health, err);
    if (status == kExitDone && options.strict && AnyReadWarning(observer.health))
      status = kExitStrict;
  }
  NullBuffer null_buffer;
  std::ostream silent(&null_buffer);
  ReportContext context{options, store, rules, *clock, options.progress ? err : silent};
  try {
    CheckSomethingRead(options, store);
    // Tab-separated tables, pages and drawings are always UTF-8 with LF.
    const std::vector<std::string> lines = report(context);
    const std::string text =
        context.document ? *context.document
                         : JoinReportLines(lines, options.utf8 || options.format != ReportFormat::Text);
    // A run that failed leaves the -o file as it was.
    if (status == kExitDone || options.output.empty()) WriteReportText(text, options.output, out);
  } catch (const Failure& failure) {
    // The tally's own refusal is said as it is, without the program's name.
    if (failure.kind() == FailureKind::FileUnwritable)
      err << "tobrel-cli: " << FailureText(failure) << '\n';
    else if (failure.kind() == FailureKind::TallyRefused)
      err << cp932::ToUtf8(failure.message()) << '\n';
    else
      throw;
    return ExitStatusOf(failure);
  }
  return status;
}

}  // namespace tobrel
