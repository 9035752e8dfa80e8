#include "session/reading_inputs.h"

#include <utility>

#include "exclusion/exclusion_test.h"
#include "platform/program_folder.h"
#include "tally/quoted_line_test.h"

namespace tobrel {

ReadRunInputs MakeReadingInputs(std::vector<CandidateFile> candidates, const ReadOptions& options,
                                const ExclusionRules& rules, const TLineMatcher& quote_matcher) {
  ReadRunInputs inputs;
  inputs.candidates = std::move(candidates);
  inputs.options = options;
  ApplyExclusionRules(rules, inputs);
  inputs.is_quoted = MakeQuotedLineTest(quote_matcher);
  return inputs;
}

void UseLogCache(ReadRunInputs& inputs, const TLineMatcher& quote_matcher) {
  std::optional<std::string> identity = QuotedLineTestIdentity(quote_matcher);
  if (!identity) return;
  LogCacheUse use;
  use.folder = CacheFolder();
  use.quote_identity = std::move(*identity);
  inputs.cache = std::move(use);
}

}  // namespace tobrel
