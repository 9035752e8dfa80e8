// The inputs of one reading run as the window and the command line both make
// them: the candidate logs, the reading switches, the read-time exclusion
// test of the rules and the quoted-line test of the pattern in force.
#pragma once

#include <vector>

#include "core/read_run.h"
#include "exclusion/exclusion_rules.h"
#include "regex/line_matcher.h"

namespace tobrel {

// `rules` and `quote_matcher` are read by the tests the inputs hold, so both
// must outlive the run.
ReadRunInputs MakeReadingInputs(std::vector<CandidateFile> candidates, const ReadOptions& options,
                                const ExclusionRules& rules, const TLineMatcher& quote_matcher);

// Lets the run use the cache of parsed logs in CacheFolder() with its
// default cap, when the quoted-line test of `quote_matcher` can be named
// (QuotedLineTestIdentity in tally/quoted_line_test.h).
void UseLogCache(ReadRunInputs& inputs, const TLineMatcher& quote_matcher);

}  // namespace tobrel
