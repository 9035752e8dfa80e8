// Fuzzes loading an entry of the cache of parsed logs: arbitrary bytes are
// opened as an entry for the key its header names, so that the checks past
// the key are reached; for every other input the checksum is set right
// first, so that the checks past it are reached too. Whatever loads must
// load again, alike, from the bytes it is written back as.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/log_cache_file.h"
#include "core/log_cache_hash.h"

namespace {

constexpr std::size_t kHeader = 128;

tobrel::LogCacheKey KeyNamedIn(const std::string& bytes) {
  tobrel::LogCacheKey key;
  if (bytes.size() < kHeader) return key;
  std::uint64_t fields[6];
  std::memcpy(fields, bytes.data() + 24, sizeof fields);
  key = {fields[0], fields[1], fields[2], static_cast<std::int64_t>(fields[3]), fields[4],
         fields[5]};
  return key;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (size >= kHeader && size % 2 == 0) {
    const std::uint64_t sum = tobrel::HashBytes(std::string_view(bytes).substr(16));
    std::memcpy(bytes.data() + 8, &sum, sizeof sum);
  }
  const tobrel::LogCacheKey key = KeyNamedIn(bytes);
  const auto view = tobrel::CachedLogView::Open(bytes, key);
  if (!view) return 0;
  std::vector<tobrel::ArticleRec> postings;
  std::vector<tobrel::LongTitle> long_titles;
  if (!view->AppendPostings(postings, long_titles)) {
    if (!postings.empty() || !long_titles.empty()) __builtin_trap();
    return 0;
  }
  if (postings.size() != view->size()) __builtin_trap();
  std::vector<tobrel::ArticleRec> entry_form = postings;
  for (tobrel::ArticleRec& posting : entry_form) tobrel::PutInEntryForm(posting, 0);
  for (std::size_t i = 0; i < long_titles.size(); ++i)
    tobrel::PutInEntryForm(entry_form[long_titles[i].first], static_cast<std::uint32_t>(i + 1));
  const std::string again =
      tobrel::EncodeCachedLog(key, view->facts(), entry_form, long_titles).Joined();
  const auto reopened = tobrel::CachedLogView::Open(again, key);
  if (!reopened) __builtin_trap();
  std::vector<tobrel::ArticleRec> postings_again;
  std::vector<tobrel::LongTitle> long_titles_again;
  if (!reopened->AppendPostings(postings_again, long_titles_again)) __builtin_trap();
  if (postings_again.size() != postings.size() || long_titles_again != long_titles) __builtin_trap();
  for (std::size_t i = 0; i < postings.size(); ++i) {
    const tobrel::ArticleRec& a = postings[i];
    const tobrel::ArticleRec& b = postings_again[i];
    if (!(a.Id == b.Id) || !(a.Handle == b.Handle) || !(a.Title == b.Title) ||
        a.Number != b.Number || a.PostedAt != b.PostedAt || a.OwnChars != b.OwnChars)
      __builtin_trap();
  }
  return 0;
}
