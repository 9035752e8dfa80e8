#include "core/read_run.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <stdexcept>
#include <system_error>

#include "core/log_line_reader.h"
#include "core/parse_queue.h"
#include "core/read_one_log.h"
#include "platform/cp932.h"
#include "platform/large_pages.h"
#include "platform/path_text.h"

namespace tobrel {
namespace {

std::string Sjis(std::string_view utf8) { return cp932::FromUtf8(utf8); }

// True for a log that may be opened on the second thread: one that is not
// a stream (standard input, a FIFO, a socket), which is read whole and may
// wait for its writer.
bool MayBeParsedAhead(const std::string& path) {
  if (path == "-") return false;
  std::error_code error;
  const auto type = std::filesystem::status(path, error).type();
  return type != std::filesystem::file_type::fifo && type != std::filesystem::file_type::socket;
}

const std::string& LoadingText() {
  static const std::string text = Sjis("を読み込み中...：");
  return text;
}

// Makes room in the postings list, once, for what the files will give at
// most: a list that grows by doubling writes its postings again into fresh
// memory (which the system clears first) each time. Room that is never
// written costs no memory. Too small a guess only means the list grows
// later; room that cannot be had is no error either.
void ReserveForFiles(std::vector<ArticleRec>& postings, const std::vector<std::string>& paths) {
  // Fewer bytes than any posting takes: its header line alone has 39.
  constexpr std::uint64_t kBytesPerPosting = 64;
  std::uint64_t bytes = 0;
  for (const std::string& path : paths) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error) bytes += size;
  }
  const std::uint64_t wanted = postings.size() + bytes / kBytesPerPosting;
  if (wanted > postings.max_size()) return;
  try {
    ReserveWithLargePages(postings, static_cast<std::size_t>(wanted));
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
}

std::string Printf(const char* format, int value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

}  // namespace

std::optional<std::string> ReadLogFiles(LogStore& store, const ReadRunInputs& inputs,
                                        const Clock& clock, ReadRunObserver& observer) {
  static const std::string kRemovingDuplicates = Sjis("読み込んだログファイル情報から重複を削除中...");
  static const std::string kReadingTitle = Sjis("Tobrel : ﾛｸﾞﾌｧｲﾙの読込み中...");
  static const std::string kDoneTitle = Sjis("Tobrel ﾛｸﾞﾌｧｲﾙの読込み終了！");
  static const std::string kArticlesRead = Sjis(" Article 読込み済み");

  const ReadOptions& options = inputs.options;
  const int current_year = clock.CurrentYear();
  observer.ShowCandidatesPage();
  observer.SetBusyCursor(true);
  std::string remembered_title;
  if (options.minimize_while_reading) {
    remembered_title = observer.ApplicationTitle();
    observer.SetApplicationTitle(kReadingTitle);
    observer.Minimize();
  }

  // The files to read, in order: the checked ones not read before, once.
  std::vector<std::string> pending;
  auto listed = [](const std::vector<std::string>& list, const std::string& path) {
    return std::find(list.begin(), list.end(), path) != list.end();
  };
  for (const CandidateFile& candidate : inputs.candidates)
    if (candidate.checked && !listed(store.ReadFiles, candidate.path) &&
        !listed(pending, candidate.path))
      pending.push_back(candidate.path);
  ReserveForFiles(store.Postings, pending);

  // The logs are shared out: read here from the first on, and parsed on the
  // second thread from the last back, except those large enough to have
  // their second half parsed there.
  const bool count_lines = observer.ShowsProgress();
  auto size_of = [](const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<std::uint64_t>(size);
  };
  std::vector<bool> second_thread(pending.size(), false);
  if (inputs.read_ahead)
    for (std::size_t i = 0; i < pending.size(); ++i)
      second_thread[i] = MayBeParsedAhead(pending[i]) && size_of(pending[i]) < inputs.split_size;
  ParseQueue queue(std::move(second_thread), [&](std::size_t log) {
    const std::string path = pending[log];
    return ParseSettings{[path, count_lines] {
                           return std::make_unique<LogLineReader>(
                               path, kFifoWriterWait, LogLineReader::kDefaultBlockSize, count_lines);
                         },
                         size_of(path), AssemblerOptions(inputs), inputs.is_quoted,
                         PostingStore(inputs, current_year), false};
  });
  std::optional<std::string> error;
  std::vector<FileReadHealth> health;
  for (std::size_t i = 0; i < pending.size(); ++i) {
    const std::string& path = pending[i];
    const std::unique_ptr<ParsedLog> parsed = queue.Take(i);
    const std::string path_text = PathToCp932(path);
    try {
      store.ReadFiles.push_back(path);
      observer.ShowStatus(path_text + LoadingText());
      if (parsed) {
        health.push_back(TakeParsedLog(store, path, path_text, observer, *parsed));
      } else {
        LogLineReader lines(path, kFifoWriterWait, LogLineReader::kDefaultBlockSize, count_lines);
        health.push_back(ReadLogHere(store, inputs, path, path_text, current_year, observer, lines));
      }
    } catch (const LogFormatError& e) {
      error = path_text + "(" + std::to_string(e.line()) + "): " + e.what();
    } catch (const FileReadError& e) {
      error = cp932::FromUtf8(e.what());
    } catch (const std::bad_alloc&) {
      error = path_text + Sjis(": not enough memory to read the file");
    } catch (const std::length_error&) {
      error = path_text + Sjis(": not enough memory to read the file");
    }
    if (error) break;
  }

  // Finishing steps: they run also after an error.
  observer.SetBusyCursor(false);
  observer.ShowStatus(kRemovingDuplicates);
  RemoveDuplicates(store);

  if (options.minimize_while_reading) {
    observer.Beep();
    if (options.restore_after_reading) {
      observer.SetApplicationTitle(remembered_title);
      observer.Restore();
    } else {
      observer.SetApplicationTitle(kDoneTitle);
    }
  }
  observer.SetFilesLabel(Printf("%3d Files", static_cast<int>(inputs.candidates.size())));
  observer.ShowReadFilesPage();
  observer.SetArticlesLabel(Printf("%6d", static_cast<int>(store.Postings.size())) + kArticlesRead);
  observer.SetProgressPosition(0);
  observer.ShowStatus({});
  observer.ShowReadHealth(health);
  return error;
}

}  // namespace tobrel
