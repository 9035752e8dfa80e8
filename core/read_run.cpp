#include "core/read_run.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>
#include <stdexcept>
#include <system_error>
#include <unordered_set>

#include "core/log_cache_run.h"
#include "core/log_line_reader.h"
#include "core/parse_from_back.h"
#include "core/read_one_log.h"
#include "core/read_stop.h"
#include "platform/cp932.h"
#include "platform/large_pages.h"
#include "platform/path_text.h"

namespace tobrel {
namespace {

std::string Sjis(std::string_view utf8) { return cp932::FromUtf8(utf8); }

// A log to read, with what one look at it before the run tells of it.
struct PendingLog {
  std::string path;
  std::uint64_t size = 0;  // 0 for anything but a regular file
  // False for a stream (standard input, a FIFO, a socket), which is read
  // whole and may wait for its writer: it is not opened on the second thread.
  bool may_parse_ahead = false;
  bool regular = false;
};

PendingLog LookAt(const std::string& path) {
  PendingLog log{path};
  if (path == "-") return log;
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    log.may_parse_ahead = true;  // opening it gives the error
    return log;
  }
  log.regular = S_ISREG(st.st_mode);
  if (log.regular) log.size = static_cast<std::uint64_t>(st.st_size);
  log.may_parse_ahead = !S_ISFIFO(st.st_mode) && !S_ISSOCK(st.st_mode);
  return log;
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
void ReserveForFiles(std::vector<ArticleRec>& postings, const std::vector<PendingLog>& logs) {
  // Fewer bytes than any posting takes: its header line alone has 39.
  constexpr std::uint64_t kBytesPerPosting = 64;
  std::uint64_t bytes = 0;
  for (const PendingLog& log : logs) bytes += log.size;
  const std::uint64_t wanted = postings.size() + bytes / kBytesPerPosting;
  if (wanted > postings.max_size()) return;
  try {
    ReserveWithLargePages(postings, static_cast<std::size_t>(wanted));
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
}

// The files to read, in order: the checked candidates not read before,
// each once. The paths met so far are kept in a table, not searched for.
std::vector<PendingLog> LogsToRead(const std::vector<CandidateFile>& candidates,
                                   const std::vector<std::string>& read_files) {
  std::vector<PendingLog> pending;
  std::unordered_set<std::string_view> listed(read_files.begin(), read_files.end());
  for (const CandidateFile& candidate : candidates)
    if (candidate.checked && listed.insert(candidate.path).second)
      pending.push_back(LookAt(candidate.path));
  return pending;
}

Failure OutOfMemory(const std::string& path, const std::string& path_text) {
  return Failure(FailureKind::FileUnreadable,
                 path_text + Sjis(": not enough memory to read the file"), path, 0,
                 std::make_error_code(std::errc::not_enough_memory));
}

std::string Printf(const char* format, int value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

}  // namespace

ReadRunResult ReadLogFiles(LogStore& store, const ReadRunInputs& inputs, const Clock& clock,
                           ReadRunObserver& observer) {
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

  const std::vector<PendingLog> pending = LogsToRead(inputs.candidates, store.ReadFiles);
  ReserveForFiles(store.Postings, pending);

  // Logs with an entry in the cache of parsed logs are loaded from it here;
  // the others are shared out: read here from the first on, and parsed on
  // the second thread from the last back, except those large enough to have
  // their second half parsed there.
  const bool count_lines = observer.ShowsProgress();
  std::vector<std::string> paths;
  std::vector<bool> regular;
  for (const PendingLog& log : pending) {
    paths.push_back(log.path);
    regular.push_back(log.regular);
  }
  LogCacheRun cache(inputs, current_year, count_lines, paths, regular);
  std::vector<bool> second_thread(pending.size(), false);
  if (inputs.read_ahead)
    for (std::size_t i = 0; i < pending.size(); ++i)
      second_thread[i] = pending[i].may_parse_ahead && pending[i].size < inputs.split_size &&
                         !cache.HasEntry(i);
  // Called on the second thread.
  ParseFromBack from_back(std::move(second_thread), [&pending, &inputs, &cache,
                                                 count_lines](std::size_t log) {
    const std::string path = pending[log].path;
    return ParseSettings{[path, count_lines] {
                           return std::make_unique<LogLineReader>(
                               path, kFifoWriterWait, LogLineReader::kDefaultBlockSize, count_lines);
                         },
                         pending[log].size, AssemblerOptions(inputs), inputs.is_quoted,
                         cache.PostingStore(log), false, cache.SettleParsed(log)};
  });
  std::optional<Failure> error;
  std::vector<FileReadHealth> health;
  ReadStop stop(observer);
  for (std::size_t i = 0; i < pending.size() && !stop.Asked(); ++i) {
    const std::string& path = pending[i].path;
    const std::unique_ptr<ParsedLog> parsed = from_back.Take(i, [&stop] { return stop.Asked(); });
    if (stop.Asked()) break;
    const std::string path_text = PathToCp932(path);
    const std::size_t postings_before = store.Postings.size();
    const std::size_t excluded_before = store.Excluded.size();
    const std::optional<CachedLogFacts> cached =
        cache.HasEntry(i) ? cache.Load(i, store) : std::nullopt;
    CachedLogFacts facts;  // of a log read to make its entry
    std::size_t line_count = 0;
    bool whole = false;
    try {
      store.ReadFiles.push_back(path);
      observer.ShowStatus(path_text + LoadingText());
      if (cached) {
        const std::size_t added = store.Postings.size() - postings_before +
                                  store.Excluded.size() - excluded_before;
        health.push_back(ReplayCachedLog(path, path_text, observer, *cached, added, stop));
      } else if (parsed) {
        health.push_back(TakeParsedLog(store, path, path_text, observer, *parsed, stop));
        facts.lines = parsed->lines;
        line_count = parsed->line_count;
      } else {
        LogLineReader lines(path, kFifoWriterWait, LogLineReader::kDefaultBlockSize, count_lines);
        std::size_t lines_read = 0;
        health.push_back(ReadLogHere(store, inputs, path, path_text, cache.PostingStore(i),
                                     observer, lines, stop, lines_read));
        facts.lines = lines_read;
        line_count = lines.size();
      }
      whole = true;
    } catch (const ReadStopped&) {
      // The log being read is left out as a whole.
      store.Postings.resize(postings_before);
      store.Excluded.resize(excluded_before);
      store.ReadFiles.pop_back();
      break;
    } catch (const Failure& e) {
      if (e.kind() == FailureKind::InvalidLog)
        error = Failure(e.kind(), path_text + "(" + std::to_string(e.line()) + "): " + e.message(),
                        path, e.line());
      else if (e.kind() == FailureKind::FileUnreadable)
        error = e;
      else
        throw;
    } catch (const std::bad_alloc&) {
      error = OutOfMemory(path, path_text);
    } catch (const std::length_error&) {
      error = OutOfMemory(path, path_text);
    }
    if (cache.Fills(i)) {
      if (whole) {
        facts.stray_headers = health.back().stray_headers;
        facts.conversion = health.back().conversion;
      }
      try {
        cache.Settle(i, store, postings_before, whole, facts, line_count);
      } catch (const std::bad_alloc&) {
        // Not one of its postings can be told kept or left out.
        store.Postings.resize(postings_before);
        if (!error) error = OutOfMemory(path, path_text);
      }
    }
    if (error) break;
  }

  // Finishing steps: they run also after an error.
  observer.SetBusyCursor(false);
  observer.ShowStatus(kRemovingDuplicates);
  // Sorting a large store takes a while: the window handles its events on
  // either side of it. A stop asked for now comes too late to change anything.
  observer.KeepResponsive();
  RemoveDuplicates(store);
  observer.KeepResponsive();

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
  return {std::move(error), stop.Asked()};
}

}  // namespace tobrel
