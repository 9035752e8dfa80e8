#include "core/log_cache_run.h"

#include <new>

#include "core/read_one_log.h"

namespace tobrel {

LogCacheRun::LogCacheRun(const ReadRunInputs& inputs, int current_year, bool counts_lines,
                         const std::vector<std::string>& paths, const std::vector<bool>& regular)
    : inputs_(inputs),
      current_year_(current_year),
      counts_lines_(counts_lines),
      paths_(paths),
      keys_(paths.size()),
      has_entry_(paths.size(), 0),
      fills_(paths.size(), 0),
      settled_(paths.size(), 0) {
  if (!inputs.cache) return;
  const std::uint64_t reading =
      ReadingIdentity(inputs.options.delimiter_only, inputs.options.exclude_interway, current_year,
                      inputs.cache->quote_identity);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (!regular[i]) continue;
    keys_[i] = LogCacheKeyOf(paths[i], reading);
    if (!keys_[i]) continue;
    has_entry_[i] = HasLogCacheEntry(inputs.cache->folder, *keys_[i]) ? 1 : 0;
    fills_[i] = has_entry_[i] ? 0 : 1;
  }
}

LogCacheRun::~LogCacheRun() {
  if (wrote_) TrimLogCache(inputs_.cache->folder, inputs_.cache->cap);
}

std::optional<CachedLogFacts> LogCacheRun::Load(std::size_t log, LogStore& store) {
  const LogCacheKey& key = *keys_[log];
  const std::size_t postings_before = store.Postings.size();
  const std::size_t excluded_before = store.Excluded.size();
  try {
    if (const std::optional<LogCacheEntryBytes> bytes = ReadLogCacheEntry(inputs_.cache->folder, key))
      if (const std::optional<CachedLogView> entry = CachedLogView::Open(bytes->view(), key))
        if (AddCachedPostings(store, inputs_, *entry)) return entry->facts();
  } catch (const std::bad_alloc&) {
    store.Postings.resize(postings_before);
    store.Excluded.resize(excluded_before);
  }
  fills_[log] = 1;
  return std::nullopt;
}

ParseSettings::StorePosting LogCacheRun::PostingStore(std::size_t log) const {
  if (fills_[log]) return CachingPostingStore(inputs_, current_year_, titles_);
  return tobrel::PostingStore(inputs_, current_year_);
}

std::function<void(ParsedLog&)> LogCacheRun::SettleParsed(std::size_t log) {
  if (!fills_[log]) return {};
  return [this, log](ParsedLog& parsed) {
    const CachedLogFacts facts{parsed.lines, parsed.stray_headers, parsed.conversion};
    try {
      SettleAndWrite(log, parsed.postings, parsed.excluded, 0, true, facts, parsed.line_count);
    } catch (const std::bad_alloc&) {
      // Not one of its postings can be told kept or left out.
      parsed.postings.clear();
      throw;
    }
    settled_[log] = 1;
  };
}

void LogCacheRun::Settle(std::size_t log, LogStore& store, std::size_t from, bool whole,
                         const CachedLogFacts& facts, std::size_t line_count) {
  if (!settled_[log])
    SettleAndWrite(log, store.Postings, store.Excluded, from, whole, facts, line_count);
}

void LogCacheRun::SettleAndWrite(std::size_t log, std::vector<ArticleRec>& postings,
                                 std::vector<ExcludedRec>& excluded, std::size_t from, bool whole,
                                 const CachedLogFacts& facts, std::size_t line_count) {
  // The entry replays the line count as the reader gives it.
  const std::size_t expected_count =
      counts_lines_ || facts.conversion.converted ? static_cast<std::size_t>(facts.lines) : 0;
  const bool make_entry = whole && line_count == expected_count;
  SettleCachingPostings(postings, excluded, from, titles_, make_entry, *keys_[log], facts,
                        [this, log](const CachedLogEntry& entry) {
                          if (LogCacheKeyOf(paths_[log], keys_[log]->reading) != keys_[log]) return;
                          if (WriteLogCacheEntry(inputs_.cache->folder, *keys_[log], entry.pieces()))
                            wrote_ = true;
                        });
}

}  // namespace tobrel
