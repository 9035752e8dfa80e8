// Logs that another tool saved as UTF-8 are read as the Shift-JIS logs they
// came from: a file that is well-formed UTF-8 and has any byte above 0x7F (a
// byte-order mark counts) is converted to CP932 when it is loaded, so every
// posting, count and report is that of the Shift-JIS original. Shift-JIS text
// is almost never well-formed UTF-8: its first full-width character usually
// settles it. Any other file is read as its bytes.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/log_lines.h"
#include "platform/utf8_check.h"

namespace tobrel {

// What loading did to a file's text.
struct Utf8Conversion {
  bool converted = false;   // the file was UTF-8 and was converted to CP932
  std::size_t unmapped = 0; // characters without a CP932 form, now "?"
};

// Feeds `check` with `file` from where it stands, through `buffer`, until the
// check is settled: at the first ill-formed sequence or the end of the file.
void CheckUtf8UntilSettled(InputFile& file, char* buffer, std::size_t size, Utf8Check& check);

// True for a whole text that IsUtf8Text would take.
bool IsUtf8LogText(std::string_view text);

// Converts `lines` to CP932 when their bytes are a UTF-8 log text (a
// leading byte-order mark is dropped); otherwise leaves them as they are.
Utf8Conversion ConvertUtf8LogLines(LogLines& lines);

// LoadLogLines, then ConvertUtf8LogLines: a log as the reading run sees it,
// for the other readers of logs (the read-data file, the processing).
Utf8Conversion LoadLogLinesAsCp932(const std::filesystem::path& path, LogLines& lines,
                                   std::chrono::milliseconds fifo_wait = kFifoWriterWait);

}  // namespace tobrel
