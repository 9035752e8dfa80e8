#include "tally/time_facts.h"

#include "core/side_by_side.h"

namespace tobrel {
namespace {

// Appends the facts of postings[first, last) that the target test counts.
// The month and weekday of a day are worked out once for the postings of
// that day in a row (as the date table sorts them).
void CollectFacts(const std::vector<ArticleRec>& postings, std::uint32_t first, std::uint32_t last,
                  const TargetTest& target, std::vector<TimeFact>& facts) {
  long long last_day = -1;
  bool have_day = false;
  std::int32_t month = 0;
  std::uint8_t weekday = 0;
  for (std::uint32_t i = first; i < last; ++i) {
    const ArticleRec& posting = postings[i];
    if (!target.Counts(posting)) continue;
    const DayAndHour at = DayAndHourOf(posting.PostedAt);
    if (!have_day || at.day != last_day) {
      const DateTime day = static_cast<DateTime>(at.day);
      const DateTimeParts parts = DecodeDateTime(day);
      month = parts.year * 12 + parts.month - 1;
      weekday = static_cast<std::uint8_t>(DayOfWeek(day));
      last_day = at.day;
      have_day = true;
    }
    facts.push_back({PackId(posting.Id), i, static_cast<std::int32_t>(at.day), month,
                     static_cast<std::uint8_t>(at.hour), weekday});
  }
}

// Fewer postings than this are read on one thread.
constexpr std::size_t kSideBySidePostings = 1u << 16;

}  // namespace

std::vector<TimeFact> CollectTimeFacts(const std::vector<ArticleRec>& postings,
                                       const TargetTest& target) {
  const auto size = static_cast<std::uint32_t>(postings.size());
  std::vector<TimeFact> facts;
  facts.reserve(size);
  if (size < kSideBySidePostings) {
    CollectFacts(postings, 0, size, target, facts);
    return facts;
  }
  // The second half is read on a second thread, and its facts follow.
  std::vector<TimeFact> second_half;
  second_half.reserve(size - size / 2);
  RunSideBySide([&postings, size, &target, &second_half] {
                  CollectFacts(postings, size / 2, size, target, second_half);
                },
                [&] { CollectFacts(postings, 0, size / 2, target, facts); });
  facts.insert(facts.end(), second_half.begin(), second_half.end());
  return facts;
}

}  // namespace tobrel
