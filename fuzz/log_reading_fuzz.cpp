// Fuzzes reading a log: arbitrary bytes are written to a file, loaded as
// lines and fed through posting assembly, and every completed posting is
// converted to a stored record. The first byte picks the options.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/log_lines.h"
#include "core/posting_assembler.h"

namespace {

std::string TempPath() {
  return "/tmp/tobrel-fuzz-" + std::to_string(::getpid()) + ".log";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t flags = data[0];
  static const std::string path = TempPath();
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data + 1, 1, size - 1, file);
    std::fclose(file);
  }
  tobrel::LogLines lines;
  tobrel::LoadLogLines(path, lines);

  tobrel::PostingAssembler assembler(
      {.delimiter_only = (flags & 1) != 0, .exclude_interway = (flags & 2) != 0},
      [](std::string_view line) { return !line.empty() && line[0] == '>'; },
      [](const tobrel::CompletedPosting& posting) {
        try {
          (void)tobrel::MakeArticleRec(posting, 2026);
        } catch (const tobrel::LogFormatError&) {
        }
        (void)tobrel::MakeExcludedRec(tobrel::ExclusionReason::ById, posting);
      });
  for (std::size_t i = 0; i < lines.size(); ++i) {
    try {
      assembler.Feed(lines[i]);
    } catch (const tobrel::LogFormatError&) {
    }
  }
  assembler.Finish();
  return 0;
}
