// The read-time exclusion test: whether a posting, by its ID and title as
// read from its header line, is left out of the store, and for which
// reason. The reading run (core/read_run.h) calls it for every complete
// posting while the master switch is on.
#pragma once

#include <optional>
#include <string_view>

#include "core/read_run.h"
#include "exclusion/exclusion_rules.h"

namespace tobrel {

// The test for one reading run: the reason to leave a posting out, or
// nothing to keep it.
//   ById when the ID rule is on and the ID is in ExcludedIds (letter case
//   ignored; the entries are member IDs, 8 bytes each);
//   ByTitle when the title rule is on and, in regex mode, LineMatcher2 finds
//   a match in the title, or, in prefix mode, the title is longer than the
//   title text and starts with it exactly. ByTitle wins when both hold.
// The master switch is not looked at here: the reading run does that. The
// ID list is taken when the test is made; the test refers to `rules` for
// the rest (the switches, LineMatcher2, the title text), so they must
// outlive it.
ExclusionTest MakeExclusionTest(const ExclusionRules& rules);

// The reading options' master switch, with the rules' test, for a run.
void ApplyExclusionRules(const ExclusionRules& rules, ReadRunInputs& inputs);

}  // namespace tobrel
