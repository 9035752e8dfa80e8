// Turns an NFA into its DFA by the subset construction.
#pragma once

#include <memory>

#include "regex/dfa.h"
#include "regex/nfa.h"

namespace tobrel {

// Returns the DFA of `nfa`, or nullptr when it would pass one of the DFA
// bounds of regex/complexity_limits.h.
std::unique_ptr<TRegexDFA> BuildDfa(const TRegexNFA& nfa);

}  // namespace tobrel
