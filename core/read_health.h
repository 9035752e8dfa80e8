// What a reading run found out about each file it read to the end, so that
// nobody gets an empty report from the wrong files without being told: a
// file that gave no posting, and lines that look like posting headers but
// were not taken, are warnings; a file converted from UTF-8 is a notice (it
// was read as its Shift-JIS original would have been).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/log_lines.h"
#include "core/posting_assembler.h"
#include "core/utf8_log_text.h"

namespace tobrel {

struct FileReadHealth {
  std::string path;              // native file name
  std::size_t postings = 0;      // postings taken: kept, or left out by the rules
  std::size_t stray_headers = 0; // PostingAssembler::stray_headers()
  Utf8Conversion conversion;

  bool HasWarning() const { return postings == 0 || stray_headers > 0; }
  bool HasNotice() const { return conversion.converted; }
};

// True when any file has a warning (not only a notice).
bool AnyReadWarning(const std::vector<FileReadHealth>& files);

// What a reading run with `options` would find out about the log `path`
// whose loaded lines are `lines`, without storing anything: for the
// commands that take a log whole without reading it into the store (its
// processed copy, its information). A posting whose comment target is no
// number is not counted, as the reading run would not keep it.
FileReadHealth LogLinesHealth(const std::string& path, const LogLines& lines,
                              PostingAssembler::Options options, Utf8Conversion conversion);

}  // namespace tobrel
