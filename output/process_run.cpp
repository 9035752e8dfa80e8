// The processing run. The log's lines are loaded once. First every posting
// of the log is collected into the private recount list and its comments
// recounted. Then the lines are cut into postings by a small state machine:
// outside a posting only a posting header line counts; after a header the
// next line must be its sub-header line, or the header is dropped together
// with that line; in a body every line up to the next header belongs to the
// posting, which is handed to the article writer. The processed text is
// built in memory and replaces the output file in one atomic write.
#include "output/process_run.h"

#include <filesystem>

#include "core/log_line_recognizers.h"
#include "core/posting_assembler.h"
#include "core/utf8_log_text.h"
#include "output/processed_article.h"
#include "output/recount_list.h"
#include "platform/atomic_file.h"
#include "platform/cp932.h"
#include "platform/failure.h"
#include "platform/path_text.h"

namespace tobrel {
namespace {

std::string Cp932(std::string_view utf8) { return cp932::FromUtf8(utf8); }

// "X", a backspace and 23 more bytes: a line written as an empty line.
bool IsBlankedLine(std::string_view line) {
  return line.size() == 25 && line[0] == 'X' && line[1] == '\b';
}

bool IsPostingHeader(std::string_view line) {
  return IsPostingHeader5(line) || IsPostingHeader3(line);
}

// True when `output` names the file `input` names, by name or by device and
// inode.
bool SameFile(const std::string& input, const std::string& output) {
  if (input == output) return true;
  std::error_code error;
  return std::filesystem::equivalent(input, output, error) && !error;
}

// Shows the busy cursor while it lives.
class BusyCursor {
 public:
  explicit BusyCursor(ProcessObserver& observer) : observer_(observer) {
    observer_.SetBusyCursor(true);
  }
  ~BusyCursor() { observer_.SetBusyCursor(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  ProcessObserver& observer_;
};

}  // namespace

std::vector<std::string> ProcessAccountLines(const ProcessSettings& s) {
  std::vector<std::string> lines;
  lines.push_back(PathToCp932(s.input) + Cp932(" を"));
  lines.push_back(PathToCp932(s.output) + Cp932("に"));
  if (s.align) lines.push_back(Cp932("  ヘッダの最終発言番号を ") + s.align_number + Cp932(" に揃え"));
  if (s.strip_delimiters || s.strip_eof || s.strip_tabs || s.strip_trailing) {
    std::string line = "  ";
    if (s.strip_delimiters) line += Cp932("デリミタを削除 : ");
    if (s.strip_eof) line += Cp932("EOFを削除 : ");
    if (s.strip_tabs) line += Cp932("TABを削除 : ");
    if (s.strip_trailing) line += Cp932("行末空白を削除");
    lines.push_back(line);
  }
  if (s.range == ProcessRangeKind::ByNumber) {
    lines.push_back(Cp932("  番号指定：#") + s.first_number + Cp932(" ～ #") + s.last_number);
  } else {
    lines.push_back(Cp932("  日付指定：") + FormatDateTime("yy/mm/dd", s.first_date) +
                    Cp932(" ～ ") + FormatDateTime("yy/mm/dd", s.last_date));
  }
  if (s.recount) lines.push_back(Cp932("  コメント数は再計算して"));
  if (s.drop_deleted) lines.push_back(Cp932("  削除発言は出力しないで"));
  lines.push_back(Cp932(s.drop_room_headers ? "  会議室ヘッダを全て削除して、"
                                            : "  会議室ヘッダはそのままで、"));
  lines.push_back(Cp932("ログを加工して出力します..."));
  return lines;
}

std::string LeadingRoomHeader(const LogLines& lines, DateTime today) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (IsRoomHeaderLine(line))
      return std::string(line.substr(0, line.size() - 10)) + FormatDateTime("yy/mm/dd", today) + " -";
    if (i == 0 && IsRoomHeaderLineLong(line))
      return std::string(line.substr(0, line.size() - 12)) + FormatDateTime("yyyy/mm/dd", today) +
             " -";
  }
  return {};
}

std::string ProcessLogLines(const ProcessSettings& settings, const LogLines& lines,
                            std::vector<ArticleRec>& recount_list, DateTime today,
                            TallyProgress& progress) {
  CollectArticles(lines, recount_list);
  const RecountedComments recount(recount_list, progress);

  // The output is at most the input and its line ends (the lines' bytes are
  // one block) plus the longer leading line and comment counts.
  std::string out;
  if (!lines.empty()) {
    const std::string_view last = lines[lines.size() - 1];
    out.reserve(static_cast<std::size_t>(last.data() + last.size() - lines[0].data()) +
                lines.size() + 4096);
  }
  if (const std::string leading = LeadingRoomHeader(lines, today); !leading.empty()) {
    out += leading;
    out += "\r\n";
  }

  ProcessedArticleWriter writer(settings, recount, out);
  enum class State { Outside, HeaderSeen, InBody } state = State::Outside;
  std::string_view header, sub_header;
  std::size_t sub_header_line = 0;
  std::vector<std::string_view> body;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    switch (state) {
      case State::Outside:
        if (IsPostingHeader(line)) {
          header = line;
          state = State::HeaderSeen;
        }
        break;
      case State::HeaderSeen:
        if (IsSubHeaderLine(line)) {
          sub_header = line;
          sub_header_line = i + 1;
          body.clear();
          state = State::InBody;
        } else {
          state = State::Outside;
        }
        break;
      case State::InBody:
        if (IsPostingHeader(line)) {
          writer.WriteProcessedArticle(header, sub_header, body, sub_header_line);
          header = line;
          body.clear();
          state = State::HeaderSeen;
        } else {
          body.push_back(IsBlankedLine(line) ? std::string_view() : line);
        }
        break;
    }
  }
  if (state == State::InBody) writer.WriteProcessedArticle(header, sub_header, body, sub_header_line);
  return out;
}

ProcessResult ProcessLogOutput(const ProcessSettings& settings, const Clock& clock,
                               ProcessObserver& observer, std::vector<ArticleRec>& recount_list) {
  auto refuse = [&observer](std::string_view utf8) {
    ProcessResult result{ProcessStatus::Refused, Cp932(utf8)};
    observer.Refuse(result.message);
    return result;
  };
  if (settings.input.empty()) return refuse("入力ﾛｸﾞﾌｧｲﾙ名が指定されていません");
  if (settings.output.empty()) return refuse("出力先が指定されていません");
  if (SameFile(settings.input, settings.output)) return refuse("入力ログﾌｧｲﾙ名と出力先が同じです");

  BusyCursor busy(observer);
  observer.ClearResult();
  for (const std::string& line : ProcessAccountLines(settings)) observer.AppendResultLine(line);

  ProcessResult result;
  try {
    LogLines lines;
    // A UTF-8 log is processed as its Shift-JIS original: the copy is CP932.
    if (LoadLogLinesAsCp932(settings.input, lines).converted)
      observer.AppendResultLine(Cp932("UTF-8 のﾛｸﾞを Shift-JIS に変換して処理します"));
    if (!observer.GoOnWith(lines)) return {ProcessStatus::Withheld, {}};
    const std::string text = ProcessLogLines(settings, lines, recount_list, clock.Now(), observer);
    lines.clear();
    WriteFileAtomically(settings.output, text);
  } catch (const Failure& e) {
    switch (e.kind()) {
      case FailureKind::InvalidLog:
        result = {ProcessStatus::ReadFailed, PathToCp932(settings.input) + "(" +
                                                 std::to_string(e.line()) + "): " + e.message()};
        break;
      case FailureKind::FileUnreadable:
        result = {ProcessStatus::ReadFailed, e.message()};
        break;
      case FailureKind::FileUnwritable:
        result = {ProcessStatus::WriteFailed,
                  PathToCp932(settings.output) + Cp932(": " + e.code().message())};
        break;
      default:
        throw;
    }
  }
  if (result.status != ProcessStatus::Done) return result;
  observer.AppendResultLine("");
  observer.AppendResultLine(Cp932(".....終了！"));
  return result;
}

}  // namespace tobrel
