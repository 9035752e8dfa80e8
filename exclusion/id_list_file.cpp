#include "exclusion/id_list_file.h"

#include "core/regular_file_lines.h"
#include "platform/atomic_file.h"
#include "platform/regular_file.h"

namespace tobrel {

std::vector<std::string> LoadIdListFile(const std::filesystem::path& path) {
  LogLines file;
  LoadRegularFileLines(path, file, kNoFileLimit);
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

std::vector<std::string> IdListTextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

std::string IdListText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
  return text;
}

void IdListDocument::Open(const std::filesystem::path& path) {
  lines_ = LoadIdListFile(path);
  files_.current = path;
}

void IdListDocument::SaveAs(const std::filesystem::path& path) {
  SaveIdListFile(path, lines_);
  files_.saved = path;
}

}  // namespace tobrel
