#include "exclusion/id_list_file.h"

#include "core/log_lines.h"
#include "platform/atomic_file.h"

namespace tobrel {

std::vector<std::string> LoadIdListFile(const std::filesystem::path& path) {
  LogLines file;
  LoadLogLines(path, file);
  std::vector<std::string> lines;
  lines.reserve(file.size());
  for (std::size_t i = 0; i < file.size(); ++i) lines.emplace_back(file[i]);
  return lines;
}

std::string IdListFileContent(const std::vector<std::string>& lines) {
  std::string content;
  for (const std::string& line : lines) {
    content += line;
    content += "\r\n";
  }
  return content;
}

void SaveIdListFile(const std::filesystem::path& path, const std::vector<std::string>& lines) {
  WriteFileAtomically(path, IdListFileContent(lines));
}

void IdListDocument::Open(const std::filesystem::path& path) {
  lines_ = LoadIdListFile(path);
  current_file_ = path;
}

}  // namespace tobrel
