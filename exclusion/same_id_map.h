// MapSameId: the ID a posting is counted under by the posting-count,
// quotation, comment and monthly tallies. With the master switch and the
// same-person switch on, an ID equal (letter case counts) to the alias of
// an entry of SameIdPairs gives that entry's main ID, the first such entry
// in list order; one step only. Every other ID stays as it is.
#pragma once

#include <string>
#include <vector>

#include "exclusion/exclusion_rules.h"
#include "tally/tally_settings.h"

namespace tobrel {

// The mapping of `pairs` (main ID in bytes 1 to 8, alias in bytes 10 to 17),
// made ready for a tally run: a hash lookup per posting.
MapSameIdFn MakeMapSameId(const std::vector<std::string>& pairs);

// The mapping a tally run counts under: MakeMapSameId of SameIdPairs, or an
// empty function (every ID under itself) while the run's exclusion switch
// or the same-person switch is off. `exclusion_on` is the switch as the run
// sees it (the window's check box, on the command line whether any rule was
// given): the rules' own master switch holds the state of the last reading
// run and is not read.
MapSameIdFn MapSameIdOf(const ExclusionRules& rules, bool exclusion_on);

}  // namespace tobrel
