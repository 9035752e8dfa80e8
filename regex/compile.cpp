#include "regex/compile.h"

#include "regex/nfa.h"
#include "regex/parse_tree.h"
#include "regex/parser.h"
#include "regex/regex_error.h"
#include "regex/subset_construction.h"

namespace tobrel {

std::unique_ptr<TRegexDFA> Compile(std::string_view pattern) {
  TRegexTree tree;
  const int root = TRegexParser(pattern, tree).Parse();
  const int end_pos = static_cast<int>(pattern.size()) + 1;
  const TRegexNFA nfa(tree, root);
  if (!nfa.ok()) throw ERegexSyntax(regex_message::kTooComplex, end_pos);
  std::unique_ptr<TRegexDFA> dfa = BuildDfa(nfa);
  if (!dfa) throw ERegexSyntax(regex_message::kTooComplex, end_pos);
  return dfa;
}

}  // namespace tobrel
