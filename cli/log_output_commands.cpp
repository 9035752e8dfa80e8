#include "cli/log_output_commands.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#include "cli/cli_run.h"
#include "cli/failure_text.h"
#include "cli/read_health_messages.h"
#include "cli/report_output.h"
#include "core/posting_assembler.h"
#include "core/read_health.h"
#include "core/utf8_log_text.h"
#include "output/log_information.h"
#include "output/process_run.h"
#include "platform/cp932.h"
#include "platform/path_text.h"

namespace tobrel {
namespace {

// A number of --numbers or --align (validated 1 to 65000) as five digits.
std::string FiveDigits(const std::string& number) {
  char text[16];
  std::snprintf(text, sizeof text, "%05d", std::stoi(number));
  return text;
}

// The reading options that judge a log's health, as for the reports.
PostingAssembler::Options HealthOptions(const CliOptions& options) {
  return {options.delimiter_only, options.interway};
}

// The account lines and messages on the error stream, in UTF-8. The loaded
// log's warnings are told as the reports tell them, and with --strict a
// warning withholds the copy.
class ProcessMessages final : public ProcessObserver {
 public:
  ProcessMessages(const CliOptions& options, std::string input, std::ostream& err)
      : options_(options), input_(std::move(input)), err_(err), progress_(options.progress) {}
  void Refuse(std::string_view message) override {
    err_ << "tobrel-cli: " << cp932::ToUtf8(message) << '\n';
  }
  void AppendResultLine(std::string_view line) override { err_ << cp932::ToUtf8(line) << '\n'; }
  void ShowProgress(std::string_view text) override {
    if (progress_ && !text.empty()) err_ << cp932::ToUtf8(text) << '\n';
  }
  // The account already says when the log was converted from UTF-8.
  bool GoOnWith(const LogLines& lines) override {
    const FileReadHealth health =
        LogLinesHealth(input_, lines, HealthOptions(options_), {});
    PrintReadHealth({health}, err_);
    return !(options_.strict && health.HasWarning());
  }

 private:
  const CliOptions& options_;
  std::string input_;
  std::ostream& err_;
  bool progress_;
};

std::unique_ptr<Clock> ClockOf(const CliOptions& options) {
  if (options.today) return std::make_unique<FixedClock>(*options.today);
  return std::make_unique<SystemClock>();
}

int RunProcess(const CliOptions& options, std::ostream& err) {
  const std::unique_ptr<Clock> clock = ClockOf(options);
  const ProcessSettings settings = ProcessSettingsFrom(options, clock->Now());
  ProcessMessages messages(options, settings.input, err);
  std::vector<ArticleRec> recount_list;
  const ProcessResult result = ProcessLogOutput(settings, *clock, messages, recount_list);
  switch (result.status) {
    case ProcessStatus::Done:
      return kExitDone;
    case ProcessStatus::Refused:
      return kExitUsage;
    case ProcessStatus::Withheld:
      return kExitStrict;
    case ProcessStatus::ReadFailed:
      err << "tobrel-cli: " << cp932::ToUtf8(result.message) << '\n';
      return kExitReadError;
    case ProcessStatus::WriteFailed:
      err << "tobrel-cli: cannot write " << cp932::ToUtf8(result.message) << '\n';
      return kExitWriteError;
  }
  return kExitReadError;
}

int RunInfo(const CliOptions& options, std::ostream& out, std::ostream& err) {
  std::vector<std::string> lines;
  std::vector<FileReadHealth> health;
  int status = kExitDone;
  for (const std::string& path : options.logs) {
    try {
      LogLines log;
      const Utf8Conversion conversion = LoadLogLinesAsCp932(path, log);
      std::error_code error;
      const std::uintmax_t size = std::filesystem::file_size(path, error);
      for (std::string& line : LogInformationLines(path, error ? 0 : size, log))
        lines.push_back(std::move(line));
      health.push_back(LogLinesHealth(path, log, HealthOptions(options), conversion));
    } catch (const Failure& e) {
      if (e.kind() == FailureKind::InvalidLog)
        err << "tobrel-cli: " << PathToUtf8(path) << "(" << e.line() << "): " << e.message() << '\n';
      else if (e.kind() == FailureKind::FileUnreadable)
        err << "tobrel-cli: " << FailureText(e) << '\n';
      else
        throw;
      status = kExitReadError;
      break;
    }
  }
  PrintReadHealth(health, err);
  if (status == kExitDone && options.strict && AnyReadWarning(health)) status = kExitStrict;
  // With -o, a failed run leaves the file as it was.
  if (status != kExitDone && !options.output.empty()) return status;
  try {
    WriteReportText(JoinReportLines(lines, options.utf8), options.output, out);
  } catch (const Failure& failure) {
    err << "tobrel-cli: " << FailureText(failure) << '\n';
    return ExitStatusOf(failure);
  }
  return status;
}

}  // namespace

bool IsLogOutputCommand(std::string_view report) { return report == "process" || report == "info"; }

ProcessSettings ProcessSettingsFrom(const CliOptions& options, DateTime today) {
  ProcessSettings settings = DefaultProcessSettings(today);
  if (!options.logs.empty()) settings.input = options.logs.front();
  settings.output = options.output;
  if (options.align) {
    settings.align = true;
    settings.align_number = FiveDigits(*options.align);
  }
  if (options.target.kind == TargetKind::ByDate) {
    settings.range = ProcessRangeKind::ByDate;
    settings.first_date = options.target.first_day;
    settings.last_date = options.target.last_day;
  } else {
    settings.first_number = FiveDigits(options.target.first_number);
    settings.last_number = FiveDigits(options.target.last_number);
  }
  settings.strip_delimiters = options.strip_delimiters;
  settings.strip_eof = options.strip_eof;
  settings.strip_tabs = options.strip_tabs;
  settings.strip_trailing = options.strip_trailing;
  settings.recount = options.recount;
  settings.drop_deleted = options.drop_deleted;
  settings.drop_room_headers = options.drop_room_headers;
  return settings;
}

int RunLogOutputCommand(const CliOptions& options, std::ostream& out, std::ostream& err) {
  return options.report == "process" ? RunProcess(options, err) : RunInfo(options, out, err);
}

}  // namespace tobrel
