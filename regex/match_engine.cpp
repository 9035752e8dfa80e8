#include "regex/match_engine.h"

namespace tobrel {

std::optional<MatchSpan> TMatchEngine::Search(std::string_view subject) const {
  return tobrel::Search(Dfa(), subject, SeparatorByte());
}

bool TMatchEngine::HasMatch(std::string_view subject) const {
  return tobrel::HasMatch(Dfa(), subject, SeparatorByte());
}

}  // namespace tobrel
