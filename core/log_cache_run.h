// The cache of parsed logs in one reading run: which of its logs are loaded
// from their entries, which are read to make one, and the entries written
// once such a log was read to its end, unchanged meanwhile. Only regular
// files are cached; streams are always read. Everything here runs on the
// calling thread, except PostingStore() and SettleParsed(), which the
// second thread calls for a log it parses: a log parsed there to its end
// is settled and has its entry written there, while the calling thread
// reads on (even when the run then stops before taking that log over: the
// entry holds what the log gives all the same).
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/caching_store.h"
#include "core/log_cache.h"
#include "core/log_cache_key.h"
#include "core/log_store.h"
#include "core/parse_ahead.h"
#include "core/read_run.h"

namespace tobrel {

class LogCacheRun {
 public:
  // For the logs `paths` of a run with `inputs` (`regular[i]`: log i is a
  // regular file) whose readers count lines first when `counts_lines`.
  // Without inputs.cache, no log is cached.
  LogCacheRun(const ReadRunInputs& inputs, int current_year, bool counts_lines,
              const std::vector<std::string>& paths, const std::vector<bool>& regular);
  // Keeps the folder under its cap when anything was written to it.
  ~LogCacheRun();
  LogCacheRun(const LogCacheRun&) = delete;
  LogCacheRun& operator=(const LogCacheRun&) = delete;

  // Whether log i has an entry to load (seen before the run): it is then
  // not parsed on the second thread.
  bool HasEntry(std::size_t log) const { return has_entry_[log] != 0; }

  // Adds log i's postings from its entry to the store and gives what else
  // it holds; nothing, with nothing added, when the entry turns out unsound
  // or gone: then the log is to be read, and gets a new entry.
  std::optional<CachedLogFacts> Load(std::size_t log, LogStore& store);

  // How log i's completed postings are stored while it is read.
  ParseSettings::StorePosting PostingStore(std::size_t log) const;

  // Whether log i is read to make its entry: its postings then have to be
  // settled once it was read, whatever the outcome but a stop.
  bool Fills(std::size_t log) const { return fills_[log] != 0; }

  // What the second thread does with log i once it parsed it to its end
  // (nothing for a log that does not fill): settles its postings, writes
  // its entry, and notes that Settle() has nothing left to do for it. For
  // ParseSettings::parsed_whole.
  std::function<void(ParsedLog&)> SettleParsed(std::size_t log);

  // Settles the postings log i added from `from` on; writes its entry when
  // `whole` (read to its end) and the log is as it was when the run began.
  // `facts` is what reading it showed; `line_count` the lines its reader
  // counted before reading (0 when not counted). A log settled on the
  // second thread (SettleParsed()) is left as it is.
  void Settle(std::size_t log, LogStore& store, std::size_t from, bool whole,
              const CachedLogFacts& facts, std::size_t line_count);

 private:
  // Settles `postings` from `from` on, those of log i, moving those left
  // out to `excluded`; writes the log's entry as Settle() says.
  void SettleAndWrite(std::size_t log, std::vector<ArticleRec>& postings,
                      std::vector<ExcludedRec>& excluded, std::size_t from, bool whole,
                      const CachedLogFacts& facts, std::size_t line_count);

  const ReadRunInputs& inputs_;
  const int current_year_;
  const bool counts_lines_;
  std::vector<std::string> paths_;
  std::vector<std::optional<LogCacheKey>> keys_;
  std::vector<std::uint8_t> has_entry_;
  // By log; read by PostingStore() on the second thread, and changed only
  // for logs that are never parsed there.
  std::vector<std::uint8_t> fills_;
  mutable LongTitlePool titles_;  // added to by the postings stores it gives
  // By log: settled on the second thread. Set there before the log is
  // handed over (core/parse_from_back.h), read here after.
  std::vector<std::uint8_t> settled_;
  std::atomic<bool> wrote_{false};
};

}  // namespace tobrel
