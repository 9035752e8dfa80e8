// The Rank of a posting stored for the cache holds, from the lowest bit:
// two bits of verdict (0 kept, else 1 + the ExclusionReason), one bit that
// says the log cannot get an entry, and the number of its long title plus
// one (0 for none). A posting left out whose date or number cannot be read
// has no stored record (reading does not make one of it): it is noted with
// the fields of its ExcludedRec, and its log gets no entry, since other
// rules would have to stop reading there.
#include "core/caching_store.h"

#include <vector>

#include "core/posting_assembler.h"
#include "platform/large_pages.h"

namespace tobrel {
namespace {

constexpr std::int32_t kVerdictBits = 0x3;
constexpr std::int32_t kNoEntryBit = 0x4;
constexpr int kTitleShift = 3;
constexpr std::uint32_t kMostTitles = (std::uint32_t{1} << (31 - kTitleShift)) - 2;

std::optional<ExclusionReason> Verdict(const ReadRunInputs& inputs, std::string_view id,
                                       std::string_view title) {
  if (!inputs.options.use_exclusion || !inputs.exclusion) return std::nullopt;
  return inputs.exclusion(id, title);
}

std::int32_t VerdictBits(const std::optional<ExclusionReason>& reason) {
  return reason ? 1 + static_cast<std::int32_t>(*reason) : 0;
}

// Moves the postings from `from` on that `verdict_of(i, posting)` leaves
// out to `excluded`, in order, keeping the others in order.
template <typename VerdictOf>
void SplitPostings(std::vector<ArticleRec>& postings, std::vector<ExcludedRec>& excluded,
                   std::size_t from, VerdictOf verdict_of) {
  std::size_t kept = from;
  for (std::size_t i = from; i < postings.size(); ++i) {
    if (const std::optional<ExclusionReason> reason = verdict_of(i - from, postings[i])) {
      excluded.push_back(MakeExcludedRec(*reason, postings[i]));
    } else {
      if (kept != i) postings[kept] = postings[i];
      postings[kept++].Rank = 0;
    }
  }
  postings.resize(kept);
}

}  // namespace

std::optional<std::uint32_t> LongTitlePool::Add(std::string_view title) {
  MutexLock lock(mutex_);
  if (titles_.size() >= kMostTitles) return std::nullopt;
  titles_.emplace_back(title);
  return static_cast<std::uint32_t>(titles_.size() - 1);
}

std::string_view LongTitlePool::Get(std::uint32_t number) const {
  MutexLock lock(mutex_);
  return titles_.at(number);
}

ParseSettings::StorePosting CachingPostingStore(const ReadRunInputs& inputs, int current_year,
                                                LongTitlePool& titles) {
  return [&inputs, current_year, &titles](const CompletedPosting& posting,
                                          std::vector<ArticleRec>& postings,
                                          std::vector<ExcludedRec>&) {
    const std::optional<ExclusionReason> reason = Verdict(inputs, posting.id, posting.title);
    ArticleRec record;
    std::int32_t rank = VerdictBits(reason);
    if (reason) {
      try {
        record = MakeArticleRec(posting, current_year);
      } catch (const Failure&) {
        const ExcludedRec excluded = MakeExcludedRec(*reason, posting);
        record.Room = excluded.Room;
        record.Number = excluded.Number;
        record.Id = excluded.Id.view();
        record.Handle = excluded.Handle.view();
        record.Title = excluded.Title.view();
        rank |= kNoEntryBit;
      }
    } else {
      record = MakeArticleRec(posting, current_year);
    }
    if ((rank & kNoEntryBit) == 0 && posting.title.size() > record.Title.kCapacity) {
      if (const auto number = titles.Add(posting.title))
        rank |= static_cast<std::int32_t>(*number + 1) << kTitleShift;
      else
        rank |= kNoEntryBit;
    }
    record.Rank = rank;
    ReserveWithLargePages(postings, postings.size() + 1);
    postings.push_back(record);
  };
}

void SettleCachingPostings(std::vector<ArticleRec>& stored, std::vector<ExcludedRec>& excluded,
                           std::size_t from, const LongTitlePool& titles, bool make_entry,
                           const LogCacheKey& key, const CachedLogFacts& facts,
                           const std::function<void(const CachedLogEntry&)>& write) {
  // One pass takes the verdicts out of the records and puts them in the
  // form the entry holds them in.
  const std::span<ArticleRec> postings(stored.data() + from, stored.size() - from);
  std::vector<std::uint8_t> verdicts(postings.size());
  bool any_left_out = false;
  std::vector<LongTitle> long_titles;
  for (std::size_t i = 0; i < postings.size(); ++i) {
    ArticleRec& posting = postings[i];
    const std::int32_t rank = posting.Rank;
    verdicts[i] = static_cast<std::uint8_t>(rank & kVerdictBits);
    any_left_out = any_left_out || verdicts[i] != 0;
    make_entry = make_entry && (rank & kNoEntryBit) == 0;
    std::uint32_t long_title = 0;
    if (const std::int32_t number = rank >> kTitleShift; number != 0 && make_entry) {
      long_titles.emplace_back(static_cast<std::uint32_t>(i),
                               titles.Get(static_cast<std::uint32_t>(number - 1)));
      long_title = static_cast<std::uint32_t>(long_titles.size());
    }
    PutInEntryForm(posting, long_title);
  }
  if (make_entry) write(EncodeCachedLog(key, facts, postings, long_titles));
  if (!any_left_out) {
    // Only the postings with a long title have a Rank to clear.
    for (const LongTitle& title : long_titles) postings[title.first].Rank = 0;
    return;
  }
  SplitPostings(stored, excluded, from, [&verdicts](std::size_t i, const ArticleRec&) {
    return verdicts[i] == 0
               ? std::nullopt
               : std::optional<ExclusionReason>(static_cast<ExclusionReason>(verdicts[i] - 1));
  });
}

bool AddCachedPostings(LogStore& store, const ReadRunInputs& inputs, const CachedLogView& entry) {
  const std::size_t from = store.Postings.size();
  std::vector<LongTitle> long_titles;
  ReserveWithLargePages(store.Postings, from + entry.size());
  if (!entry.AppendPostings(store.Postings, long_titles)) return false;
  if (!inputs.options.use_exclusion || !inputs.exclusion) return true;
  std::size_t next_title = 0;
  SplitPostings(store.Postings, store.Excluded, from, [&](std::size_t i, const ArticleRec& posting) {
    std::string_view title = posting.Title.view();
    if (next_title < long_titles.size() && long_titles[next_title].first == i)
      title = long_titles[next_title++].second;
    return Verdict(inputs, posting.Id.view(), title);
  });
  return true;
}

}  // namespace tobrel
