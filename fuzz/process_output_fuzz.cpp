// Fuzzes the processing output: arbitrary bytes are written to a file,
// loaded as lines and processed with the options of the first two bytes,
// and their log information is taken. Impossible dates and numbers end a
// run with a Failure of kind InvalidLog, which is caught; nothing else may go wrong.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/log_lines.h"
#include "core/posting_assembler.h"
#include "output/log_information.h"
#include "output/process_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static const std::string path = "/tmp/tobrel-process-fuzz-" + std::to_string(::getpid()) + ".log";
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data + 2, 1, size - 2, file);
    std::fclose(file);
  }
  tobrel::LogLines lines;
  tobrel::LoadLogLines(path, lines);

  const unsigned flags = data[0] | (data[1] << 8);
  tobrel::ProcessSettings settings = tobrel::DefaultProcessSettings(45000);
  settings.align = flags & 1;
  settings.align_number = (flags & 2) ? "00042" : "65000";
  settings.strip_delimiters = flags & 4;
  settings.strip_eof = flags & 8;
  settings.strip_tabs = flags & 16;
  settings.strip_trailing = flags & 32;
  settings.recount = flags & 64;
  settings.drop_deleted = flags & 128;
  settings.drop_room_headers = flags & 256;
  if (flags & 512) {
    settings.range = tobrel::ProcessRangeKind::ByDate;
    settings.first_date = 30000;
    settings.last_date = 40000;
  }
  std::vector<tobrel::ArticleRec> recount_list;
  tobrel::TallyProgress progress;
  try {
    (void)tobrel::ProcessLogLines(settings, lines, recount_list, 45000, progress);
  } catch (const tobrel::Failure& failure) {
    if (failure.kind() != tobrel::FailureKind::InvalidLog) __builtin_trap();
  }
  try {
    (void)tobrel::LogInformationLines(path, size, lines);
  } catch (const tobrel::Failure& failure) {
    if (failure.kind() != tobrel::FailureKind::InvalidLog) __builtin_trap();
  }
  return 0;
}
