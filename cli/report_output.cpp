#include "cli/report_output.h"

#include <cerrno>

#include "platform/atomic_file.h"
#include "platform/cp932.h"

namespace tobrel {

std::string JoinReportLines(const std::vector<std::string>& lines, bool utf8) {
  std::string text;
  for (const std::string& line : lines) {
    if (utf8) {
      text += cp932::ToUtf8(line);
      text += '\n';
    } else {
      text += line;
      text += "\r\n";
    }
  }
  return text;
}

void WriteReportText(const std::string& text, const std::string& path, std::ostream& out) {
  if (path.empty()) {
    errno = 0;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) throw WriteFailure("standard output", errno != 0 ? errno : EIO);
  } else {
    WriteFileAtomically(path, text);
  }
}

}  // namespace tobrel
