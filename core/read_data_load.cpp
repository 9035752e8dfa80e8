// The loader walks the lines once through three states: before "[Files]",
// in the paths, in the postings. Everything goes into a ReadDataContent
// first; the store and the candidate list are touched only when the whole
// file was read without a fault.
#include "core/read_data_load.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "core/log_line_recognizers.h"
#include "core/log_lines.h"
#include "core/regular_file_lines.h"
#include "core/utf8_log_text.h"
#include "core/str_tok.h"
#include "platform/cp932.h"
#include "platform/failure.h"
#include "platform/regular_file.h"
#include "platform/path_text.h"

namespace tobrel {
namespace {

// A fault of the file at 1-based `line` (0 when no line is to blame).
Failure BadReadData(std::size_t line, const std::string& reason) {
  return Failure(FailureKind::BadReadData, reason, {}, line);
}

enum class LoadState { BeforeFiles, InFiles, InPostings };

std::int32_t Integer(std::string_view text, std::size_t line) {
  if (text.empty()) throw BadReadData(line, "too few fields");
  if (auto value = ParseDecimal(text)) return *value;
  throw BadReadData(line, "'" + std::string(text) + "' is not a valid integer value");
}

// Characters counted in a log are never below zero; a negative number would
// break every total it is added to.
std::int32_t Characters(std::string_view text, std::size_t line) {
  const std::int32_t value = Integer(text, line);
  if (value < 0)
    throw BadReadData(line, "'" + std::string(text) + "' is not a valid number of characters");
  return value;
}

ArticleRec ParsePostingLine(std::string_view text, std::size_t line, int current_year) {
  ArticleRec posting;
  TStrTokRec tok;
  posting.Room = Integer(StrTokFirst(tok, text, ","), line);
  posting.Number = Integer(StrTokNext(tok), line);
  const std::string_view date = StrTokNext(tok);
  if (date.empty()) throw BadReadData(line, "too few fields");
  const auto posted_at = ParseDateTime(date, current_year);
  if (!posted_at)
    throw BadReadData(line, "'" + std::string(date) + "' is not a valid date and time");
  posting.PostedAt = *posted_at;
  posting.CommentTo = Integer(StrTokNext(tok), line);
  // A comment count is taken as it stands: the sub-header of a log may
  // print a negative one, and a file this program wrote must load back.
  posting.CommentCount = Integer(StrTokNext(tok), line);
  posting.TotalChars = Characters(StrTokNext(tok), line);
  posting.QuotedChars = Characters(StrTokNext(tok), line);
  posting.OwnChars = Characters(StrTokNext(tok), line);
  posting.Rank = Integer(StrTokNext(tok), line);

  // ID, handle and title: exact commas, so that an empty handle, a cut
  // two-byte character before a comma and commas in the title survive.
  const std::size_t start = static_cast<std::size_t>(tok.position - 1);
  if (start >= text.size()) throw BadReadData(line, "too few fields");
  const std::string_view rest = text.substr(start);
  const std::size_t after_id = rest.find(',');
  const std::size_t after_handle =
      after_id == std::string_view::npos ? after_id : rest.find(',', after_id + 1);
  if (after_handle == std::string_view::npos) throw BadReadData(line, "too few fields");
  // Every posting read from a log has an ID of 8 bytes (a member ID or
  // "********"); anything else means the fields are out of place.
  if (after_id != 8)
    throw BadReadData(line, "'" + std::string(rest.substr(0, after_id)) + "' is not a member ID");
  posting.Id = rest.substr(0, after_id);
  posting.Handle = rest.substr(after_id + 1, after_handle - after_id - 1);
  posting.Title = rest.substr(after_handle + 1);
  return posting;
}

}  // namespace

ReadDataContent ParseReadData(const std::vector<std::string_view>& lines, int current_year) {
  ReadDataContent content;
  LoadState state = LoadState::BeforeFiles;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    switch (state) {
      case LoadState::BeforeFiles:
        if (line == "[Files]") state = LoadState::InFiles;
        break;
      case LoadState::InFiles:
        if (line.empty()) break;
        if (line == "[Log Info]")
          state = LoadState::InPostings;
        else
          content.files.push_back(PathFromCp932(line));
        break;
      case LoadState::InPostings:
        if (!line.empty()) content.postings.push_back(ParsePostingLine(line, i + 1, current_year));
        break;
    }
  }
  if (state == LoadState::BeforeFiles)
    throw BadReadData(0, "not a read-data file (no \"[Files]\" line)");
  if (state == LoadState::InFiles)
    throw BadReadData(lines.size(), "the file ends before its \"[Log Info]\" line");
  return content;
}

void LoadReadDataFile(const std::filesystem::path& path, LogStore& store,
                      std::vector<CandidateFile>& candidates, int current_year) {
  const std::string path_text = PathToCp932(path.string());
  ReadDataContent content;
  try {
    LogLines file;
    LoadRegularFileLines(path, file, kNoFileLimit);
    ConvertUtf8LogLines(file);  // one that another tool made UTF-8, as logs
    std::vector<std::string_view> lines(file.size());
    for (std::size_t i = 0; i < file.size(); ++i) lines[i] = file[i];
    content = ParseReadData(lines, current_year);
  } catch (const Failure& e) {
    if (e.kind() == FailureKind::FileUnreadable)
      throw Failure(FailureKind::FileUnreadable, cp932::FromUtf8(e.what()), path, 0, e.code());
    if (e.kind() != FailureKind::BadReadData) throw;
    const std::string where = e.line() ? "(" + std::to_string(e.line()) + ")" : std::string();
    throw Failure(FailureKind::BadReadData, path_text + where + ": " + e.message(), path, e.line());
  }

  // Each path is appended, and the first candidate with that path checked:
  // found by a table of the first candidate of each path, not by a search
  // of the whole list for every path. The table points into the list, which
  // is given all its room first and so never moves; the room at least
  // doubles, so that many small loads in a row stay cheap.
  const std::size_t wanted = candidates.size() + content.files.size();
  if (wanted > candidates.capacity()) candidates.reserve(std::max(wanted, 2 * candidates.capacity()));
  std::unordered_map<std::string_view, std::size_t> first_with_path;
  first_with_path.reserve(wanted);
  for (std::size_t i = 0; i < candidates.size(); ++i)
    first_with_path.emplace(candidates[i].path, i);
  for (std::string& file : content.files) {
    candidates.push_back({file, false});
    const std::size_t first =
        first_with_path.emplace(candidates.back().path, candidates.size() - 1).first->second;
    candidates[first].checked = true;
    store.ReadFiles.push_back(std::move(file));
  }
  store.Postings.insert(store.Postings.end(), content.postings.begin(), content.postings.end());
}

std::optional<std::filesystem::path> DataSwitchPath(std::string_view argument) {
  if (argument.size() < 4 || argument[0] != '/' || (argument[1] != 'D' && argument[1] != 'd'))
    return std::nullopt;
  const std::filesystem::path path(argument.substr(2));
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  return path;
}

}  // namespace tobrel
