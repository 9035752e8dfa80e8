// The file of one entry of the cache of parsed logs: what reading one log to
// its end gave, before exclusion and duplicate removal, in a layout that is
// loaded without parsing. A header (magic, format version, byte order, the
// entry's key, the counts, a checksum of everything after it) is followed
// by one record per posting, laid out as the posting record ArticleRec is
// in memory (so that an entry is written straight from the postings), then
// the whole titles that are longer than a record holds.
//
// Loading trusts nothing: a file that is short, foreign, of another version
// or byte order, made for another key, whose counts do not add up to its
// size, whose checksum is wrong or whose records hold impossible values is
// refused, never partly used.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/article_rec.h"
#include "core/log_cache_key.h"
#include "core/utf8_log_text.h"

namespace tobrel {

// What reading the log showed and found, besides its postings.
struct CachedLogFacts {
  std::uint64_t lines = 0;          // lines read, the last one included
  std::uint64_t stray_headers = 0;  // PostingAssembler::stray_headers()
  Utf8Conversion conversion;
};

// The whole title of a posting whose title is longer than ArticleRec::Title
// holds, by the posting's index among the log's postings.
using LongTitle = std::pair<std::uint32_t, std::string_view>;

// An entry made over the postings it holds: its records are the postings'
// own bytes, so making it copies no posting, and the postings must stay as
// they are until it is written (or dropped).
class CachedLogEntry {
 public:
  // The entry's bytes in the order they are written: header, records,
  // title references and long titles.
  std::array<std::string_view, 3> pieces() const { return {header_, records_, titles_}; }
  // The pieces joined into one.
  std::string Joined() const;

 private:
  friend CachedLogEntry EncodeCachedLog(const LogCacheKey&, const CachedLogFacts&,
                                        std::span<const ArticleRec>, std::span<const LongTitle>);
  std::string header_;
  std::string_view records_;
  std::string titles_;
};

// Puts a posting in the form an entry holds it in: its Rank the number of
// its long title (1 + its index among the log's long titles, 0 for none),
// and the bytes that lie between its fields zeroed, so that an entry holds
// no indeterminate bytes.
void PutInEntryForm(ArticleRec& posting, std::uint32_t long_title);

// The entry for the log of `key` with `facts`: `postings`, each in entry
// form (PutInEntryForm()), with `long_titles` (ascending by index).
CachedLogEntry EncodeCachedLog(const LogCacheKey& key, const CachedLogFacts& facts,
                               std::span<const ArticleRec> postings,
                               std::span<const LongTitle> long_titles);

// An entry read back, over the bytes it was given (which must outlive it).
class CachedLogView {
 public:
  // Nothing unless `bytes` are a sound entry made for `key`.
  static std::optional<CachedLogView> Open(std::string_view bytes, const LogCacheKey& key);

  const CachedLogFacts& facts() const { return facts_; }
  std::size_t size() const { return count_; }
  // Appends the postings (Rank 0) to `out` and the whole titles of those
  // with a long one to `long_titles` (indices among the entry's postings).
  // False, with nothing appended, when a record holds impossible values.
  bool AppendPostings(std::vector<ArticleRec>& out, std::vector<LongTitle>& long_titles) const;

 private:
  CachedLogView() = default;

  CachedLogFacts facts_;
  std::size_t count_ = 0;
  std::string_view records_, title_refs_, title_bytes_;
};

// Whether `head`, the first bytes of a file, start an entry made for `key`
// by this version (its checksum and size are not looked at).
bool CachedLogHeadMatches(std::string_view head, const LogCacheKey& key);

// The bytes CachedLogHeadMatches() looks at.
std::size_t CachedLogHeadSize();

}  // namespace tobrel
