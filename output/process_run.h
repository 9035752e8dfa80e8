// The log processing run: checks its settings, writes the account lines to
// the result view, recounts the comments of the input log, and writes the
// processed copy of the log through the atomic writer, so that a failed run
// never leaves a half-written file.
#pragma once

#include <string>
#include <vector>

#include "core/article_rec.h"
#include "core/log_lines.h"
#include "output/process_observer.h"
#include "output/process_settings.h"
#include "platform/clock.h"

namespace tobrel {

enum class ProcessStatus {
  Done,
  Refused,      // no input, no output, or the output is the input
  ReadFailed,   // the input could not be read or holds an impossible date
  WriteFailed,  // the output could not be written; nothing was replaced
  Withheld,     // the observer withheld the copy after the log was loaded
};

struct ProcessResult {
  ProcessStatus status = ProcessStatus::Done;
  std::string message;  // CP932; empty when done
};

// The account of the settings, one line each, ending with
// "ログを加工して出力します...".
std::vector<std::string> ProcessAccountLines(const ProcessSettings& settings);

// The first line of the output: the first short-form room header line of
// the log (or a long-form one on the very first line) with today's date in
// place of its own; empty when the log has none.
std::string LeadingRoomHeader(const LogLines& lines, DateTime today);

// The processed log's bytes (CR LF line ends). `recount_list` is refilled
// from `lines`. Throws InvalidLogFailure (core/posting_assembler.h) for an
// impossible date or number.
std::string ProcessLogLines(const ProcessSettings& settings, const LogLines& lines,
                            std::vector<ArticleRec>& recount_list, DateTime today,
                            TallyProgress& progress);

// The whole run of the dialog's OK: refuses, with the dialog's message, a
// missing input or output and an output that is the input (the same name,
// or another path to the same file). `recount_list` is the run's private
// list, kept by the caller between runs.
ProcessResult ProcessLogOutput(const ProcessSettings& settings, const Clock& clock,
                               ProcessObserver& observer, std::vector<ArticleRec>& recount_list);

}  // namespace tobrel
