// The reading run: loads every checked candidate log that was not read
// before, assembles its postings, keeps or excludes each one, and ends by
// removing duplicates. What was read before an error stays in the store.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/log_cache.h"
#include "core/log_store.h"
#include "core/posting_assembler.h"
#include "core/read_run_observer.h"
#include "platform/clock.h"
#include "platform/failure.h"

namespace tobrel {

struct CandidateFile {
  std::string path;  // native file name
  bool checked = true;
};

struct ReadOptions {
  bool minimize_while_reading = false;  // "ﾛｸﾞﾌｧｲﾙの読込み中は最小化(&Y)"
  bool restore_after_reading = false;   // "ﾌｧｲﾙ読込み終了で元に戻す(&E)"
  bool delimiter_only = false;          // "発言の区切りをﾃﾞﾘﾐﾀのみで認識(&K)"
  bool use_exclusion = false;           // "集計から除外する発言を設定する(&Q)"
  bool exclude_interway = false;        // "ｲﾝﾀｰｳｪｲのﾛｸﾞ情報を除外(&W)"
};

// The read-time exclusion test: given the ID and title of a posting's header,
// nothing to keep it, or the reason to leave it out (ById or ByTitle).
using ExclusionTest =
    std::function<std::optional<ExclusionReason>(std::string_view id, std::string_view title)>;

struct ReadRunInputs {
  std::vector<CandidateFile> candidates;
  ReadOptions options;
  PostingAssembler::QuotedLineTest is_quoted;  // may be empty
  ExclusionTest exclusion;                     // may be empty
  // Shares the logs out with a second thread, which parses them from the
  // last back while they are read here from the first on, and parses the
  // second half of a log of `split_size` bytes or more there while its first
  // half is read here; the store, the texts shown and the error are those of
  // reading one log at a time, line by line. Then `is_quoted` and
  // `exclusion` are also called on the second thread, at the same time.
  bool read_ahead = true;
  std::uint64_t split_size = std::uint64_t{8} << 20;
  // The cache of parsed logs to load regular files from and to keep what
  // reading them gave in (core/log_cache.h); none when empty. Its
  // quote_identity has to name `is_quoted`. What the run shows and leaves
  // is the same with it and without it.
  std::optional<LogCacheUse> cache;
};

// How a reading run ended.
struct ReadRunResult {
  // The failure that stopped the run before the next file, or nothing when
  // every checked file was read. Its message() is the whole text to show, in
  // CP932: "PATH(LINE): reason" for a log with a bad date or number (kind
  // InvalidLog), "PATH: reason" for a file that could not be read, and
  // "PATH: not enough memory to read the file" (kind FileUnreadable, code
  // ENOMEM); file() is the log's path and line() the line, where they apply.
  std::optional<Failure> stopped_by;
  // True when the observer asked the run to stop (StopRequested()): the store
  // then holds exactly what a run over only the files read to the end would
  // have left, the file being read when it was asked is not in ReadFiles,
  // and stopped_by is empty.
  bool stopped = false;
};

// Runs the reading run. A failure stops it before the next file; what was
// read before it stays in the store, and the finishing steps (removing
// duplicates, the texts and labels shown) run as after a whole run. So they
// do after the observer asked it to stop.
ReadRunResult ReadLogFiles(LogStore& store, const ReadRunInputs& inputs, const Clock& clock,
                           ReadRunObserver& observer);

}  // namespace tobrel
