// Postings on their way into the store and the cache of parsed logs. A log
// that is to get an entry is read with every posting kept in the postings
// list, the verdict of the exclusion test (and where its whole title went,
// when it is longer than the record holds) noted in the record's Rank,
// which reading leaves 0 otherwise; once the log is read, its postings are
// settled: the entry is made of them as they are, then each is kept or left
// out by its verdict. A log loaded from its entry gives its postings the
// same way, with the verdicts of the run's own exclusion test. So the store
// gets exactly what reading without the cache gives, whichever rules the
// entry was made under.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/log_cache_file.h"
#include "core/log_store.h"
#include "core/parse_ahead.h"
#include "core/read_run.h"
#include "platform/thread_annotations.h"

namespace tobrel {

// The whole titles of the postings of a run whose titles are longer than
// their records hold. Add() may be called on any thread; Get() on the
// calling thread once the parse that added the title has ended.
class LongTitlePool {
 public:
  // Keeps `title`; gives its number, or nothing when the pool is full.
  std::optional<std::uint32_t> Add(std::string_view title) EXCLUDES(mutex_);
  std::string_view Get(std::uint32_t number) const EXCLUDES(mutex_);

 private:
  mutable Mutex mutex_;
  std::deque<std::string> titles_ GUARDED_BY(mutex_);  // never moved once added
};

// Stores a completed posting of a log that is to get an entry: always into
// the postings list, with its verdict noted (see above). Throws as storing
// it without the cache does, at the same postings.
ParseSettings::StorePosting CachingPostingStore(const ReadRunInputs& inputs, int current_year,
                                                LongTitlePool& titles);

// Settles the postings from `from` on in `stored`, stored by
// CachingPostingStore: when `make_entry` and every posting can be kept in
// an entry, first hands `write` the entry for `key` with `facts`, made over
// the postings themselves (which stay as they are until `write` returns);
// then moves those left out to `excluded`. Called on the thread that owns
// the lists. Throws std::bad_alloc, then with the postings no longer
// telling which are kept.
void SettleCachingPostings(std::vector<ArticleRec>& stored, std::vector<ExcludedRec>& excluded,
                           std::size_t from, const LongTitlePool& titles, bool make_entry,
                           const LogCacheKey& key, const CachedLogFacts& facts,
                           const std::function<void(const CachedLogEntry&)>& write);

// Adds the postings of a loaded entry, each kept or left out by the run's
// exclusion test as a posting just read is; false, with nothing added,
// when the entry's records turn out unsound.
bool AddCachedPostings(LogStore& store, const ReadRunInputs& inputs, const CachedLogView& entry);

}  // namespace tobrel
