#include "session/reading_inputs.h"

#include <utility>

#include "exclusion/exclusion_test.h"
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

}  // namespace tobrel
