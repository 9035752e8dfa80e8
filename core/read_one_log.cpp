// A log read here feeds its lines to an assembler, which stores each
// completed posting as it comes; a log taken over from the second thread
// replays what reading it here would have shown, then adds what the second
// thread found. A large log read here has its second half parsed on the
// second thread meanwhile (core/second_half_read.h) and taken over where the
// two parses meet.
#include "core/read_one_log.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>

#include "core/second_half_read.h"
#include "platform/cp932.h"
#include "platform/large_pages.h"

namespace tobrel {
namespace {

// Gives the reason a posting is left out, or nothing to keep it.
std::optional<ExclusionReason> Verdict(const ReadRunInputs& inputs, const CompletedPosting& posting) {
  if (!inputs.options.use_exclusion || !inputs.exclusion) return std::nullopt;
  return inputs.exclusion(posting.id, posting.title);
}

// Adds a completed posting to the stored or to the excluded ones.
void StorePosting(const ReadRunInputs& inputs, int current_year, const CompletedPosting& posting,
                  std::vector<ArticleRec>& postings, std::vector<ExcludedRec>& excluded) {
  if (const auto reason = Verdict(inputs, posting)) {
    excluded.push_back(MakeExcludedRec(*reason, posting));
  } else {
    ReserveWithLargePages(postings, postings.size() + 1);
    postings.push_back(MakeArticleRec(posting, current_year));
  }
}

// The texts and the progress bar of an opened log of `line_count` lines,
// before its lines; gives the last position of the bar.
std::size_t ShowParsing(ReadRunObserver& observer, const std::string& path_text,
                        std::size_t line_count) {
  static const std::string kParsing = cp932::FromUtf8("のログ情報を読み込み中...：");
  const std::size_t last_progress = std::min<std::size_t>(line_count, 1u << 30);
  observer.SetProgressRange(static_cast<int>(last_progress) - 1);
  observer.SetProgressPosition(0);
  observer.ShowStatus(path_text + kParsing);
  return last_progress;
}

// How long a wait for the second thread lasts before the stop is asked again.
constexpr std::chrono::milliseconds kWaitSlice{5};

void ShowProgress(ReadRunObserver& observer, std::size_t index, std::size_t last_progress) {
  observer.SetProgressPosition(static_cast<int>(std::min(index, last_progress)));
}

}  // namespace

PostingAssembler::Options AssemblerOptions(const ReadRunInputs& inputs) {
  return {inputs.options.delimiter_only, inputs.options.exclude_interway};
}

ParseSettings::StorePosting PostingStore(const ReadRunInputs& inputs, int current_year) {
  return [&inputs, current_year](const CompletedPosting& posting, std::vector<ArticleRec>& postings,
                                 std::vector<ExcludedRec>& excluded) {
    StorePosting(inputs, current_year, posting, postings, excluded);
  };
}

FileReadHealth TakeParsedLog(LogStore& store, const std::string& path,
                               const std::string& path_text, ReadRunObserver& observer,
                               const ParsedLog& parsed, ReadStop& stop) {
  parsed.open_error.Rethrow();
  const std::size_t last_progress = ShowParsing(observer, path_text, parsed.line_count);
  const bool shows_progress = observer.ShowsProgress();
  for (std::size_t i = 0; i < parsed.lines; ++i) {
    stop.AtLine(i);
    if (shows_progress) ShowProgress(observer, i, last_progress);
  }
  // A file that cannot be read to its end adds nothing; the postings before
  // an error in the log stay.
  if (parsed.error) {
    try {
      parsed.error.Rethrow();
    } catch (const Failure& failure) {
      if (failure.kind() == FailureKind::FileUnreadable) throw;
    } catch (...) {
    }
  }
  const std::size_t added = parsed.postings.size() + parsed.excluded.size();
  ReserveWithLargePages(store.Postings, store.Postings.size() + parsed.postings.size());
  store.Postings.insert(store.Postings.end(), parsed.postings.begin(), parsed.postings.end());
  store.Excluded.insert(store.Excluded.end(), parsed.excluded.begin(), parsed.excluded.end());
  parsed.error.Rethrow();
  observer.SetProgressPosition(static_cast<int>(last_progress) - 1);
  return {path, added, parsed.stray_headers, parsed.conversion};
}

FileReadHealth ReplayCachedLog(const std::string& path, const std::string& path_text,
                               ReadRunObserver& observer, const CachedLogFacts& facts,
                               std::size_t postings, ReadStop& stop) {
  // The lines as the log's reader would have counted them: all of them when
  // counted, or when a converted file was read whole.
  const bool shows_progress = observer.ShowsProgress();
  const std::size_t line_count = shows_progress || facts.conversion.converted ? facts.lines : 0;
  const std::size_t last_progress = ShowParsing(observer, path_text, line_count);
  for (std::size_t i = 0; i < facts.lines; ++i) {
    stop.AtLine(i);
    if (shows_progress) ShowProgress(observer, i, last_progress);
  }
  observer.SetProgressPosition(static_cast<int>(last_progress) - 1);
  return {path, postings, facts.stray_headers, facts.conversion};
}

FileReadHealth ReadLogHere(LogStore& store, const ReadRunInputs& inputs, const std::string& path,
                           const std::string& path_text,
                           const ParseSettings::StorePosting& store_posting,
                           ReadRunObserver& observer, LogLineReader& lines, ReadStop& stop,
                           std::size_t& lines_read) {
  const std::size_t last_progress = ShowParsing(observer, path_text, lines.size());
  const int last_index = static_cast<int>(last_progress) - 1;
  PostingAssembler assembler(AssemblerOptions(inputs), inputs.is_quoted,
                             [&](const CompletedPosting& posting) {
                               store_posting(posting, store.Postings, store.Excluded);
                             });
  // A large log's second half is parsed on a second thread meanwhile.
  std::unique_ptr<SecondHalfRead> half;
  if (inputs.read_ahead)
    half = SecondHalfRead::Start(path, lines, inputs.split_size, AssemblerOptions(inputs),
                                 inputs.is_quoted, store_posting);
  // The lines are read while they are parsed. A file that cannot be read
  // to its end adds nothing, as when it failed before its first line.
  const std::size_t postings_before = store.Postings.size();
  const std::size_t excluded_before = store.Excluded.size();
  const bool shows_progress = observer.ShowsProgress();
  auto show_progress = [&](std::size_t index) {
    if (shows_progress) ShowProgress(observer, index, last_progress);
  };
  bool taken_over = false;
  std::size_t stray_headers = 0;
  std::size_t lines_fed = 0;
  try {
    std::string_view line;
    while (!taken_over) {
      if (half && !half->met() && lines.NextLineOffset() == half->from()) {
        while (!half->HalfParsedWithin(kWaitSlice)) stop.ThrowIfAsked();
        half->Meet(lines_fed);
      }
      if (!lines.Next(line)) break;
      stop.AtLine(lines_fed);
      show_progress(lines_fed);
      assembler.Feed(line);
      const std::size_t index = lines_fed++;
      if (!half || !half->met()) continue;
      switch (half->TryTakeOver(index, assembler, store.Postings, store.Excluded, stray_headers)) {
        case SecondHalfRead::Outcome::ReadOn:
          break;
        case SecondHalfRead::Outcome::TookOver:
          taken_over = true;
          break;
        case SecondHalfRead::Outcome::GaveUp:
          half.reset();
          break;
      }
    }
    if (taken_over) {
      // The bar moves on over the lines taken over as when they are read,
      // up to what stopped the second thread.
      for (std::size_t i = lines_fed; i < half->lines(); ++i) {
        stop.AtLine(i);
        show_progress(i);
      }
      half->RethrowError();
    }
  } catch (const Failure& failure) {
    if (failure.kind() == FailureKind::FileUnreadable) {
      store.Postings.resize(postings_before);
      store.Excluded.resize(excluded_before);
    }
    throw;
  }
  if (!taken_over) {
    assembler.Finish();
    stray_headers = assembler.stray_headers();
  }
  lines_read = taken_over ? half->lines() : lines_fed;
  observer.SetProgressPosition(last_index);
  return {path,
          store.Postings.size() - postings_before + store.Excluded.size() - excluded_before,
          stray_headers, lines.conversion()};
}

}  // namespace tobrel
