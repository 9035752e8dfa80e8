// TRegexTree is the parse tree of one pattern. Nodes live in one vector and
// refer to each other by index; subtrees may be shared (the operand of "+"
// is used twice), so the tree is a DAG that is freed as a whole. There is at
// most one leaf per code range: asking for a range that already has a leaf
// returns that leaf.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "regex/char_code.h"

namespace tobrel {

enum class RegexNodeKind : std::uint8_t {
  kLeaf,         // label: a code range
  kHeadAnchor,   // "^": an anchor or, where it is not one, the leaf `left`
  kTailAnchor,   // "$": likewise
  kConcat,       // left, right
  kAlternation,  // left, right
  kStar,         // left
  kEmpty,
};

struct RegexNode {
  RegexNodeKind kind = RegexNodeKind::kEmpty;
  int left = -1;
  int right = -1;
  RegexLabel label;
};

class TRegexTree {
 public:
  int Leaf(CharCode lo, CharCode hi);
  // "^" or "$"; also makes the leaf of the character itself, for the case
  // that the candidate ends up a literal.
  int HeadAnchor();
  int TailAnchor();
  int Concat(int left, int right);
  int Alternation(int left, int right);
  int Star(int operand);
  int Empty();
  // Alternation of the leaves 1..9, 11..12 and 14..0xFCFC ("." ).
  int AnySet();
  // Alternation of the leaves of `ranges`, in order; `ranges` is not empty.
  int AlternationOf(const std::vector<RegexLabel>& ranges);

  // Splits overlapping leaves so that no two leaves share a code; a leaf
  // that overlaps others becomes the alternation of the pieces it covers.
  // Returns false when the nodes would pass regex_limits::kMaxTreeNodes.
  bool MakeLeavesDisjoint();

  const RegexNode& node(int index) const { return nodes_[index]; }
  // The current leaves, in ascending order of their ranges once disjoint.
  std::vector<int> SortedLeaves() const;
  // A readable form of the subtree at `root`, for tests: "a", "[a-z]",
  // "cat{x y}", "alt{x y}", "star{x}", "head{x}", "tail{x}", "empty".
  std::string Dump(int root) const;

 private:
  int Add(RegexNode node);
  void DumpTo(int root, std::string& out) const;

  std::vector<RegexNode> nodes_;
  std::unordered_map<std::uint32_t, int> leaf_by_range_;
};

}  // namespace tobrel
