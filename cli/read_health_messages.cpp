#include "cli/read_health_messages.h"

#include "platform/path_text.h"

namespace tobrel {
namespace {

// "1 line" or "N lines".
std::string Count(std::size_t n, const char* noun) {
  return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

}  // namespace

void PrintReadHealth(const std::vector<FileReadHealth>& files, std::ostream& err) {
  for (const FileReadHealth& file : files) {
    if (file.HasWarning()) {
      err << "tobrel-cli: warning: " << PathToUtf8(file.path) << ": ";
      if (file.postings == 0) err << "no posting found";
      if (file.postings == 0 && file.stray_headers > 0) err << "; ";
      if (file.stray_headers > 0)
        err << Count(file.stray_headers, "line") << (file.stray_headers == 1 ? " looks" : " look")
            << " like a posting header but " << (file.stray_headers == 1 ? "was" : "were")
            << " not read as a posting";
      err << '\n';
    }
    if (file.HasNotice()) {
      err << "tobrel-cli: note: " << PathToUtf8(file.path)
          << ": read as UTF-8 and converted to Shift-JIS";
      if (file.conversion.unmapped > 0)
        err << "; " << Count(file.conversion.unmapped, "character") << " without a Shift-JIS form "
            << "became \"?\"";
      err << '\n';
    }
  }
}

}  // namespace tobrel
