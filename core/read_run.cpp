#include "core/read_run.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <stdexcept>

#include "core/log_line_reader.h"
#include "platform/cp932.h"
#include "platform/large_pages.h"

namespace tobrel {
namespace {

std::string Sjis(std::string_view utf8) { return cp932::FromUtf8(utf8); }

// Gives the reason a posting is left out, or nothing to keep it.
std::optional<ExclusionReason> Verdict(const ReadRunInputs& inputs, const CompletedPosting& posting) {
  if (!inputs.options.use_exclusion || !inputs.exclusion) return std::nullopt;
  return inputs.exclusion(posting.id, posting.title);
}

// Reads one file into the store and tells what it found out about it;
// throws FileReadError or LogFormatError.
FileReadHealth ReadOneFile(LogStore& store, const ReadRunInputs& inputs, const std::string& path,
                           const std::string& path_text, int current_year,
                           ReadRunObserver& observer) {
  static const std::string kLoading = Sjis("を読み込み中...：");
  static const std::string kParsing = Sjis("のログ情報を読み込み中...：");

  store.ReadFiles.push_back(path);
  observer.ShowStatus(path_text + kLoading);
  LogLineReader lines(path, kFifoWriterWait, LogLineReader::kDefaultBlockSize,
                      observer.ShowsProgress());
  const std::size_t last_progress = std::min<std::size_t>(lines.size(), 1u << 30);
  const int last_index = static_cast<int>(last_progress) - 1;
  observer.SetProgressRange(last_index);
  observer.SetProgressPosition(0);
  observer.ShowStatus(path_text + kParsing);

  PostingAssembler assembler(
      {inputs.options.delimiter_only, inputs.options.exclude_interway}, inputs.is_quoted,
      [&](const CompletedPosting& posting) {
        if (const auto reason = Verdict(inputs, posting)) {
          store.Excluded.push_back(MakeExcludedRec(*reason, posting));
        } else {
          ReserveWithLargePages(store.Postings, store.Postings.size() + 1);
          store.Postings.push_back(MakeArticleRec(posting, current_year));
        }
      });
  // The lines are read while they are parsed. A file that cannot be read
  // to its end adds nothing, as when it failed before its first line.
  const std::size_t postings_before = store.Postings.size();
  const std::size_t excluded_before = store.Excluded.size();
  std::string_view line;
  try {
    if (observer.ShowsProgress()) {
      for (std::size_t i = 0; lines.Next(line); ++i) {
        observer.SetProgressPosition(static_cast<int>(std::min(i, last_progress)));
        assembler.Feed(line);
      }
    } else {
      while (lines.Next(line)) assembler.Feed(line);
    }
  } catch (const FileReadError&) {
    store.Postings.resize(postings_before);
    store.Excluded.resize(excluded_before);
    throw;
  }
  assembler.Finish();
  observer.SetProgressPosition(last_index);
  return {path,
          store.Postings.size() - postings_before + store.Excluded.size() - excluded_before,
          assembler.stray_headers(), lines.conversion()};
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

  std::optional<std::string> error;
  std::vector<FileReadHealth> health;
  for (const CandidateFile& candidate : inputs.candidates) {
    if (!candidate.checked) continue;
    if (std::find(store.ReadFiles.begin(), store.ReadFiles.end(), candidate.path) !=
        store.ReadFiles.end())
      continue;
    const std::string path_text = cp932::FromUtf8(candidate.path);
    try {
      health.push_back(ReadOneFile(store, inputs, candidate.path, path_text, current_year, observer));
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
