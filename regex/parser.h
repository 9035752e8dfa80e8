// TRegexParser builds the parse tree of a pattern by recursive descent:
//   alternation := sequence ("|" sequence)*
//   sequence    := empty | factor+       (up to "|", ")" or the end)
//   factor      := atom ("*" | "+" | "?")?
//   atom        := char | "(" alternation ")" | class | "." | "^" | "$"
// "a+" becomes "a" followed by "a*" over the same subtree, "a?" the
// alternation of "a" and the empty node. After parsing, the tree's leaves
// are made disjoint.
#pragma once

#include <string_view>
#include <vector>

#include "regex/parse_tree.h"
#include "regex/scanner.h"

namespace tobrel {

class TRegexParser {
 public:
  TRegexParser(std::string_view pattern, TRegexTree& tree);

  // Parses the whole pattern into the tree and returns the root. Throws
  // ERegexSyntax.
  int Parse();

 private:
  int ParseAlternation();
  int ParseSequence();
  int ParseFactor();
  int ParseAtom();
  int ParseGroup();
  int ParseClass(bool negated);
  void Advance() { token_ = scanner_.Next(); }
  bool AtSequenceEnd() const;

  TRegexScanner scanner_;
  TRegexTree& tree_;
  RegexToken token_;
  int group_depth_ = 0;
};

}  // namespace tobrel
