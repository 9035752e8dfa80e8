#include "core/read_data_file.h"

#include <cstdio>

#include "platform/atomic_file.h"
#include "platform/path_text.h"
#include "platform/program_folder.h"

namespace tobrel {

std::string ReadDataPostingLine(const ArticleRec& posting) {
  char numbers[128];
  std::string line;
  line.reserve(128);
  std::snprintf(numbers, sizeof numbers, "%d,%d,", posting.Room, posting.Number);
  line += numbers;
  line += FormatDateTime("yyyy/mm/dd hh:nn", posting.PostedAt);
  std::snprintf(numbers, sizeof numbers, ",%d,%d,%d,%d,%d,%d,", posting.CommentTo,
                posting.CommentCount, posting.TotalChars, posting.QuotedChars, posting.OwnChars,
                posting.Rank);
  line += numbers;
  line += posting.Id.view();
  line += ',';
  line += posting.Handle.view();
  line += ',';
  line += posting.Title.view();
  return line;
}

std::vector<std::string> ReadDataLines(const LogStore& store) {
  std::vector<std::string> lines;
  lines.reserve(store.ReadFiles.size() + store.Postings.size() + 2);
  lines.emplace_back("[Files]");
  for (const std::string& path : store.ReadFiles) lines.push_back(PathToCp932(path));
  lines.emplace_back("[Log Info]");
  for (const ArticleRec& posting : store.Postings) lines.push_back(ReadDataPostingLine(posting));
  return lines;
}

std::string ReadDataFileName(DateTime now) { return FormatDateTime("ddhhnnss", now) + ".Dat"; }

std::optional<std::filesystem::path> WriteReadDataFile(const LogStore& store,
                                                       const std::filesystem::path& folder,
                                                       DateTime now) {
  if (store.Postings.empty()) return std::nullopt;
  std::string content;
  content.reserve(store.Postings.size() * 96);
  content += "[Files]\r\n";
  for (const std::string& path : store.ReadFiles) content += PathToCp932(path) + "\r\n";
  content += "[Log Info]\r\n";
  for (const ArticleRec& posting : store.Postings) {
    content += ReadDataPostingLine(posting);
    content += "\r\n";
  }
  const std::filesystem::path path = folder / ReadDataFileName(now);
  WriteFileAtomically(path, content);
  return path;
}

std::optional<std::filesystem::path> WriteReadDataFileBesideProgram(const LogStore& store,
                                                                    const Clock& clock) {
  if (store.Postings.empty()) return std::nullopt;
  return WriteReadDataFile(store, FilesBesideProgramFolder(), clock.Now());
}

}  // namespace tobrel
