#include "sources/selection_text.h"

namespace tobrel {

std::string JoinSelection(const std::vector<std::string>& paths) {
  std::string text;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (i > 0) text += ';';
    text += paths[i];
  }
  return text;
}

std::vector<std::string> SplitSelection(std::string_view text) {
  std::vector<std::string> paths;
  if (text.empty()) return paths;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(';', start);
    paths.emplace_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return paths;
    start = end + 1;
  }
}

std::string WithFinalSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string FolderOfPath(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

}  // namespace tobrel
