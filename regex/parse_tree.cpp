// Making the leaves disjoint: every leaf's lo and hi + 1 are boundaries; the
// boundaries cut the code space into elementary pieces. A leaf with no
// boundary strictly inside it already is a piece and stays a leaf; any other
// leaf is rewritten in place into the alternation of the pieces it spans, so
// every node that referred to it now refers to the same codes spelled as
// pieces. A boundary inside a leaf always comes from a leaf that overlaps
// it, so this is the same partition that splitting overlapping pairs until
// none is left would give, reached in one sorted pass.
#include "regex/parse_tree.h"

#include <algorithm>

#include "regex/complexity_limits.h"

namespace tobrel {

namespace {

std::uint32_t RangeKey(CharCode lo, CharCode hi) {
  return static_cast<std::uint32_t>(hi) << 16 | lo;
}

std::string CodeText(CharCode code) {
  if (code > 0x20 && code < 0x7F) return std::string(1, static_cast<char>(code));
  static const char kHex[] = "0123456789ABCDEF";
  std::string text = "\\x";
  for (int shift = code > 0xFF ? 12 : 4; shift >= 0; shift -= 4)
    text += kHex[(code >> shift) & 0xF];
  return text;
}

}  // namespace

int TRegexTree::Add(RegexNode node) {
  nodes_.push_back(node);
  return static_cast<int>(nodes_.size()) - 1;
}

int TRegexTree::Leaf(CharCode lo, CharCode hi) {
  const auto [it, added] = leaf_by_range_.try_emplace(RangeKey(lo, hi), 0);
  if (added) {
    RegexNode leaf;
    leaf.kind = RegexNodeKind::kLeaf;
    leaf.label = {lo, hi};
    it->second = Add(leaf);
  }
  return it->second;
}

int TRegexTree::HeadAnchor() {
  const int literal = Leaf('^', '^');
  return Add({RegexNodeKind::kHeadAnchor, literal, -1, {}});
}

int TRegexTree::TailAnchor() {
  const int literal = Leaf('$', '$');
  return Add({RegexNodeKind::kTailAnchor, literal, -1, {}});
}

int TRegexTree::Concat(int left, int right) {
  return Add({RegexNodeKind::kConcat, left, right, {}});
}

int TRegexTree::Alternation(int left, int right) {
  return Add({RegexNodeKind::kAlternation, left, right, {}});
}

int TRegexTree::Star(int operand) {
  return Add({RegexNodeKind::kStar, operand, -1, {}});
}

int TRegexTree::Empty() { return Add({RegexNodeKind::kEmpty, -1, -1, {}}); }

int TRegexTree::AnySet() {
  return AlternationOf({{1, 9}, {11, 12}, {14, kHighestAnyCode}});
}

int TRegexTree::AlternationOf(const std::vector<RegexLabel>& ranges) {
  int node = Leaf(ranges.front().lo, ranges.front().hi);
  for (std::size_t i = 1; i < ranges.size(); ++i)
    node = Alternation(node, Leaf(ranges[i].lo, ranges[i].hi));
  return node;
}

bool TRegexTree::MakeLeavesDisjoint() {
  std::vector<std::uint32_t> bounds;
  bounds.reserve(leaf_by_range_.size() * 2);
  for (const auto& [key, leaf] : leaf_by_range_) {
    bounds.push_back(nodes_[leaf].label.lo);
    bounds.push_back(nodes_[leaf].label.hi + 1u);
  }
  std::sort(bounds.begin(), bounds.end());
  bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());

  const std::vector<int> leaves = SortedLeaves();
  std::vector<RegexLabel> pieces;
  for (const int leaf : leaves) {
    const RegexLabel range = nodes_[leaf].label;
    auto bound = std::upper_bound(bounds.begin(), bounds.end(), range.lo);
    if (*bound > range.hi) continue;  // already a piece
    pieces.clear();
    std::uint32_t lo = range.lo;
    for (; lo <= range.hi; ++bound) {
      pieces.push_back({static_cast<CharCode>(lo), static_cast<CharCode>(*bound - 1)});
      lo = *bound;
    }
    if (nodes_.size() + 2 * pieces.size() > regex_limits::kMaxTreeNodes)
      return false;
    leaf_by_range_.erase(RangeKey(range.lo, range.hi));
    const int alternation = AlternationOf(pieces);
    nodes_[leaf] = nodes_[alternation];
  }
  return true;
}

std::vector<int> TRegexTree::SortedLeaves() const {
  std::vector<int> leaves;
  leaves.reserve(leaf_by_range_.size());
  for (const auto& [key, leaf] : leaf_by_range_) leaves.push_back(leaf);
  std::sort(leaves.begin(), leaves.end(), [this](int a, int b) {
    const RegexLabel& x = nodes_[a].label;
    const RegexLabel& y = nodes_[b].label;
    return x.lo != y.lo ? x.lo < y.lo : x.hi < y.hi;
  });
  return leaves;
}

std::string TRegexTree::Dump(int root) const {
  std::string out;
  DumpTo(root, out);
  return out;
}

void TRegexTree::DumpTo(int root, std::string& out) const {
  const RegexNode& n = nodes_[root];
  const auto inner = [&](const char* name, int left, int right) {
    out += name;
    out += '{';
    DumpTo(left, out);
    if (right >= 0) {
      out += ' ';
      DumpTo(right, out);
    }
    out += '}';
  };
  switch (n.kind) {
    case RegexNodeKind::kLeaf:
      if (n.label.lo == n.label.hi) {
        out += CodeText(n.label.lo);
      } else {
        out += '[';
        out += CodeText(n.label.lo);
        out += '-';
        out += CodeText(n.label.hi);
        out += ']';
      }
      break;
    case RegexNodeKind::kHeadAnchor: inner("head", n.left, -1); break;
    case RegexNodeKind::kTailAnchor: inner("tail", n.left, -1); break;
    case RegexNodeKind::kConcat: inner("cat", n.left, n.right); break;
    case RegexNodeKind::kAlternation: inner("alt", n.left, n.right); break;
    case RegexNodeKind::kStar: inner("star", n.left, -1); break;
    case RegexNodeKind::kEmpty: out += "empty"; break;
  }
}

}  // namespace tobrel
