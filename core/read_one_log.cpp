// A log read here feeds its lines to an assembler, which stores each
// completed posting as it comes; a log taken over from the second thread
// replays what reading it here would have shown, then adds what the second
// thread found. A large log read here has its second half parsed on the
// second thread meanwhile (core/second_half_read.h) and taken over where the
// two parses meet.
#include "core/read_one_log.h"

#include <algorithm>
#include <chrono>
#include <limits>
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

// The progress bar moves on at every `step_`-th line of a log (every line of
// a short one): some thousand positions a log, more than a bar has pixels,
// and not a call for every line of a long log. A log read here and one
// taken over from the second thread show the same positions.
class ProgressSteps {
 public:
  static constexpr std::size_t kPositions = 1024;

  ProgressSteps(ReadRunObserver& observer, std::size_t last_progress)
      : observer_(observer),
        shows_(observer.ShowsProgress()),
        last_(last_progress),
        step_(std::max<std::size_t>(1, (last_progress + kPositions - 1) / kPositions)) {}

  // For line `index`, given in order: shows it when it is a step, or when
  // lines since the last shown passed one.
  void AtLine(std::size_t index) {
    if (!shows_ || index < next_) return;
    observer_.SetProgressPosition(static_cast<int>(std::min(index, last_)));
    next_ = (index / step_ + 1) * step_;
  }
  // How many lines from `index` on can pass without a position to show.
  std::size_t LinesWithout(std::size_t index) const {
    return shows_ ? next_ - index : std::numeric_limits<std::size_t>::max();
  }

 private:
  ReadRunObserver& observer_;
  bool shows_;
  std::size_t last_;
  std::size_t step_;
  std::size_t next_ = 0;
};

// After an empty line: takes the empty lines that follow at once, but no
// line where the run asks whether to stop or shows progress, nor more than
// `most`. Gives how many it took.
std::size_t FeedEmptyRun(LogLineReader& lines, PostingAssembler& assembler, std::size_t lines_fed,
                         const ProgressSteps& progress, std::uint64_t most) {
  constexpr std::size_t kCheck = ReadStop::kLinesBetweenChecks;
  const std::size_t to_check = (kCheck - lines_fed % kCheck) % kCheck;
  const std::size_t count = lines.TakeEmptyLines(static_cast<std::size_t>(
      std::min<std::uint64_t>({to_check, progress.LinesWithout(lines_fed), most})));
  assembler.FeedEmptyLines(count);
  return count;
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
  ProgressSteps progress(observer, last_progress);
  for (std::size_t i = 0; i < parsed.lines; ++i) {
    stop.AtLine(i);
    progress.AtLine(i);
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
  ProgressSteps progress(observer, last_progress);
  for (std::size_t i = 0; i < facts.lines; ++i) {
    stop.AtLine(i);
    progress.AtLine(i);
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
  ProgressSteps progress(observer, last_progress);
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
      progress.AtLine(lines_fed);
      assembler.Feed(line);
      const std::size_t index = lines_fed++;
      if (!half || !half->met()) {
        // A run of empty lines goes at once, up to where the second half starts.
        if (line.empty())
          lines_fed += FeedEmptyRun(lines, assembler, lines_fed, progress,
                                    half ? half->from() - lines.NextLineOffset()
                                         : std::numeric_limits<std::uint64_t>::max());
        continue;
      }
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
        progress.AtLine(i);
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
