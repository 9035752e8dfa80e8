// Bounds that keep compiling a pattern short whatever is typed. A pattern
// that passes one of them fails like a syntax error, with the message
// regex_message::kTooComplex. Patterns that people write stay far below all
// of them; without them a nested "+" doubles the automaton per level and a
// chain of "(a|b)" after "(a|b)*a" doubles the number of DFA states per link.
#pragma once

#include <cstddef>

namespace tobrel::regex_limits {

// Groups nested inside one another (the parser recurses per level).
inline constexpr int kMaxGroupNesting = 200;
// Nodes of the parse tree after splitting overlapping ranges into pieces.
inline constexpr std::size_t kMaxTreeNodes = 1'000'000;
// NFA states and NFA transitions.
inline constexpr std::size_t kMaxNfaStates = 20'000;
inline constexpr std::size_t kMaxNfaTransitions = 400'000;
// DFA states.
inline constexpr std::size_t kMaxDfaStates = 20'000;
// Work of the subset construction: NFA transitions followed in total.
inline constexpr std::size_t kMaxSubsetWork = 40'000'000;
// Cells of the search table (DFA states times character classes).
inline constexpr std::size_t kMaxTableCells = 4'000'000;

}  // namespace tobrel::regex_limits
