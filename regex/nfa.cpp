// Thompson construction. gen(node, from, to) adds states and transitions so
// that the node's language leads from `from` to `to`: a leaf is one labelled
// transition, a concatenation goes through a new middle state, an
// alternation generates both sides between the same states, a star loops
// through two new states (from -> s1, s1 -(operand)-> s2, s2 -> s1, s1 -> to)
// and the empty node is an epsilon transition. A "^" candidate is the
// head-of-line anchor exactly when it is generated from the entry state, a
// "$" candidate the tail-of-line anchor exactly when it leads to the final
// state; otherwise each is its literal character. The operand of "+" is
// shared in the tree and generated twice, and each copy decides for itself.
// Generation runs on an explicit work stack, so deep trees cannot exhaust the
// call stack; transitions are collected as (from, label, to) and finally
// grouped by their source state.
#include "regex/nfa.h"

#include "regex/complexity_limits.h"

namespace tobrel {

namespace {

struct PendingEdge {
  int from;
  int label;
  int to;
};

struct GenTask {
  int node;
  int from;
  int to;
};

}  // namespace

TRegexNFA::TRegexNFA(const TRegexTree& tree, int root) {
  ok_ = GenerateStateList(tree, root);
}

bool TRegexNFA::GenerateStateList(const TRegexTree& tree, int root) {
  const std::vector<int> leaves = tree.SortedLeaves();
  std::vector<int> label_of_node;  // leaf node index -> label index
  for (std::size_t i = 0; i < leaves.size(); ++i) {
    if (label_of_node.size() <= static_cast<std::size_t>(leaves[i]))
      label_of_node.resize(leaves[i] + 1, kEpsilon);
    label_of_node[leaves[i]] = static_cast<int>(i);
    labels_.push_back(tree.node(leaves[i]).label);
  }
  labels_.push_back({kLineHeadCode, kLineHeadCode});
  labels_.push_back({kLineTailCode, kLineTailCode});

  int state_count = 2;
  std::vector<PendingEdge> edges;
  std::vector<GenTask> tasks = {{root, kEntry, kFinal}};
  while (!tasks.empty()) {
    if (state_count > static_cast<int>(regex_limits::kMaxNfaStates) ||
        edges.size() > regex_limits::kMaxNfaTransitions)
      return false;
    const GenTask task = tasks.back();
    tasks.pop_back();
    const RegexNode& node = tree.node(task.node);
    switch (node.kind) {
      case RegexNodeKind::kLeaf:
        edges.push_back({task.from, label_of_node[task.node], task.to});
        break;
      case RegexNodeKind::kHeadAnchor:
        if (task.from == kEntry) {
          head_anchored_ = true;
          edges.push_back({task.from, HeadLabel(), task.to});
        } else {
          tasks.push_back({node.left, task.from, task.to});
        }
        break;
      case RegexNodeKind::kTailAnchor:
        if (task.to == kFinal) {
          tail_anchored_ = true;
          edges.push_back({task.from, TailLabel(), task.to});
        } else {
          tasks.push_back({node.left, task.from, task.to});
        }
        break;
      case RegexNodeKind::kConcat: {
        const int middle = state_count++;
        tasks.push_back({node.right, middle, task.to});
        tasks.push_back({node.left, task.from, middle});
        break;
      }
      case RegexNodeKind::kAlternation:
        tasks.push_back({node.right, task.from, task.to});
        tasks.push_back({node.left, task.from, task.to});
        break;
      case RegexNodeKind::kStar: {
        const int loop = state_count++;
        const int back = state_count++;
        edges.push_back({task.from, kEpsilon, loop});
        edges.push_back({back, kEpsilon, loop});
        edges.push_back({loop, kEpsilon, task.to});
        tasks.push_back({node.left, loop, back});
        break;
      }
      case RegexNodeKind::kEmpty:
        edges.push_back({task.from, kEpsilon, task.to});
        break;
    }
  }

  // Group the transitions by source state, keeping their order.
  first_.assign(state_count + 1, 0);
  for (const PendingEdge& e : edges) ++first_[e.from + 1];
  for (int s = 0; s < state_count; ++s) first_[s + 1] += first_[s];
  transitions_.resize(edges.size());
  std::vector<int> fill(first_.begin(), first_.end() - 1);
  for (const PendingEdge& e : edges) transitions_[fill[e.from]++] = {e.label, e.to};
  return true;
}

}  // namespace tobrel
