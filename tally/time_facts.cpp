#include "tally/time_facts.h"

namespace tobrel {

std::vector<TimeFact> CollectTimeFacts(const std::vector<ArticleRec>& postings,
                                       const TargetTest& target) {
  std::vector<TimeFact> facts;
  for (std::uint32_t i = 0; i < postings.size(); ++i) {
    const ArticleRec& posting = postings[i];
    if (!target.Counts(posting)) continue;
    const DateTimeParts parts = DecodeDateTime(posting.PostedAt);
    const DateTime day = static_cast<DateTime>(DayNumber(posting.PostedAt));
    facts.push_back({PackId(posting.Id), i, static_cast<std::int32_t>(day),
                     parts.year * 12 + parts.month - 1, static_cast<std::uint8_t>(parts.hour),
                     static_cast<std::uint8_t>(DayOfWeek(day))});
  }
  return facts;
}

}  // namespace tobrel
