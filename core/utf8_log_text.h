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

namespace tobrel {

// What loading did to a file's text.
struct Utf8Conversion {
  bool converted = false;   // the file was UTF-8 and was converted to CP932
  std::size_t unmapped = 0; // characters without a CP932 form, now "?"
};

// Checks bytes fed in pieces of any size for well-formed UTF-8. Checking
// stops at the first ill-formed sequence, so feeding a Shift-JIS file costs
// almost nothing after its first full-width character.
class Utf8Check {
 public:
  void Feed(const char* data, std::size_t size);
  // False once an ill-formed sequence was seen; more bytes cannot help.
  bool MayBeUtf8() const { return valid_; }
  // True when everything fed is well-formed UTF-8, ends on a whole
  // character, and has a byte above 0x7F.
  bool IsUtf8Text() const { return valid_ && needed_ == 0 && non_ascii_; }

 private:
  bool valid_ = true;
  bool non_ascii_ = false;
  unsigned needed_ = 0;  // continuation bytes still to come
  unsigned char low_ = 0x80, high_ = 0xBF;  // the range of the next one
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
