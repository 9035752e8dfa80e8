// TRegexNFA is the Thompson automaton of one pattern: state 0 is the entry,
// state 1 the final state, and every transition carries either a label (an
// index into labels(): the disjoint leaf ranges in ascending order, then the
// line-head and the line-tail pseudo-characters) or no label (epsilon).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "regex/char_code.h"
#include "regex/parse_tree.h"

namespace tobrel {

struct NfaTransition {
  int label;  // index into labels(), or kEpsilon
  int target;
};

class TRegexNFA {
 public:
  static constexpr int kEntry = 0;
  static constexpr int kFinal = 1;
  static constexpr int kEpsilon = -1;

  // Builds the automaton of the tree rooted at `root` (leaves disjoint).
  // ok() is false when it would pass the NFA bounds of
  // regex/complexity_limits.h; the automaton is then unusable.
  TRegexNFA(const TRegexTree& tree, int root);

  bool ok() const { return ok_; }
  bool HeadAnchored() const { return head_anchored_; }
  bool TailAnchored() const { return tail_anchored_; }
  int StateCount() const { return static_cast<int>(first_.size()) - 1; }
  // Leaf labels in ascending order, then kLineHeadCode, then kLineTailCode.
  const std::vector<RegexLabel>& labels() const { return labels_; }
  int HeadLabel() const { return static_cast<int>(labels_.size()) - 2; }
  int TailLabel() const { return static_cast<int>(labels_.size()) - 1; }
  std::span<const NfaTransition> TransitionsFrom(int state) const {
    return {transitions_.data() + first_[state], transitions_.data() + first_[state + 1]};
  }

 private:
  bool GenerateStateList(const TRegexTree& tree, int root);

  bool ok_ = false;
  bool head_anchored_ = false;
  bool tail_anchored_ = false;
  std::vector<RegexLabel> labels_;
  std::vector<int> first_;  // transitions of state s: [first_[s], first_[s + 1])
  std::vector<NfaTransition> transitions_;
};

}  // namespace tobrel
