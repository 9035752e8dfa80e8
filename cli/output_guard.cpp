#include "cli/output_guard.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tobrel {

std::optional<std::string> LogNamedByOutput(const std::string& output,
                                            const std::vector<std::string>& logs) {
  struct stat out;
  if (output.empty() || ::stat(output.c_str(), &out) != 0) return std::nullopt;
  for (const std::string& log : logs) {
    struct stat in;
    const int found = log == "-" ? ::fstat(STDIN_FILENO, &in) : ::stat(log.c_str(), &in);
    if (found == 0 && S_ISREG(in.st_mode) && in.st_dev == out.st_dev && in.st_ino == out.st_ino)
      return log;
  }
  return std::nullopt;
}

}  // namespace tobrel
