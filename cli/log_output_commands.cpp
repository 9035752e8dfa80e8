#include "cli/log_output_commands.h"

#include <cstdio>
#include <memory>
#include <system_error>

#include "cli/cli_run.h"
#include "cli/report_output.h"
#include "core/posting_assembler.h"
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

// The account lines and messages on the error stream, in UTF-8.
class ProcessMessages final : public ProcessObserver {
 public:
  ProcessMessages(std::ostream& err, bool progress) : err_(err), progress_(progress) {}
  void Refuse(std::string_view message) override {
    err_ << "tobrel-cli: " << cp932::ToUtf8(message) << '\n';
  }
  void AppendResultLine(std::string_view line) override { err_ << cp932::ToUtf8(line) << '\n'; }
  void ShowProgress(std::string_view text) override {
    if (progress_ && !text.empty()) err_ << cp932::ToUtf8(text) << '\n';
  }

 private:
  std::ostream& err_;
  bool progress_;
};

std::unique_ptr<Clock> ClockOf(const CliOptions& options) {
  if (options.today) return std::make_unique<FixedClock>(*options.today);
  return std::make_unique<SystemClock>();
}

int RunProcess(const CliOptions& options, std::ostream& err) {
  const std::unique_ptr<Clock> clock = ClockOf(options);
  ProcessMessages messages(err, options.progress);
  std::vector<ArticleRec> recount_list;
  const ProcessResult result = ProcessLogOutput(ProcessSettingsFrom(options, clock->Now()), *clock,
                                                messages, recount_list);
  switch (result.status) {
    case ProcessStatus::Done:
      return kExitDone;
    case ProcessStatus::Refused:
      return kExitUsage;
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
  int status = kExitDone;
  for (const std::string& path : options.logs) {
    try {
      for (std::string& line : LogInformationLines(path)) lines.push_back(std::move(line));
    } catch (const FileReadError& e) {
      err << "tobrel-cli: " << e.what() << '\n';
      status = kExitReadError;
      break;
    } catch (const LogFormatError& e) {
      err << "tobrel-cli: " << PathToUtf8(path) << "(" << e.line() << "): " << e.what() << '\n';
      status = kExitReadError;
      break;
    }
  }
  // With -o, a failed run leaves the file as it was.
  if (status != kExitDone && !options.output.empty()) return status;
  try {
    WriteReportText(JoinReportLines(lines, options.utf8), options.output, out);
  } catch (const std::system_error& e) {
    err << "tobrel-cli: cannot write " << e.what() << '\n';
    return kExitWriteError;
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
