#include "core/read_health.h"

#include <algorithm>

namespace tobrel {

bool AnyReadWarning(const std::vector<FileReadHealth>& files) {
  return std::any_of(files.begin(), files.end(),
                     [](const FileReadHealth& file) { return file.HasWarning(); });
}

FileReadHealth LogLinesHealth(const std::string& path, const LogLines& lines,
                              PostingAssembler::Options options, Utf8Conversion conversion) {
  FileReadHealth health{path, 0, 0, conversion};
  PostingAssembler assembler(options, {},
                             [&health](const CompletedPosting&) { ++health.postings; });
  // A posting the assembler refuses (its comment target is no number) is
  // dropped, and the lines after it are read on.
  auto step = [](auto&& feed) {
    try {
      feed();
    } catch (const Failure&) {
    }
  };
  for (std::size_t i = 0; i < lines.size(); ++i) step([&] { assembler.Feed(lines[i]); });
  step([&] { assembler.Finish(); });
  health.stray_headers = assembler.stray_headers();
  return health;
}

}  // namespace tobrel
