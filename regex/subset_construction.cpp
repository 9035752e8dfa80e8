// Subset construction. Every DFA state stands for a set of NFA states closed
// under epsilon transitions. The start set is the closure of {entry}; it
// becomes DFA state 0. States are then taken in the order they were
// registered: for each NFA state of the set (ascending) and each of its
// labelled transitions, the target joins the target set of that label
// (labels are disjoint ranges, so equal labels are the only ones that share
// characters); each label's target set, in the order the labels first
// appeared, is closed and registered, reusing the DFA state of an equal set,
// and gets a transition. A set holding the final NFA state is accepting.
// Sets are found again through a hash of their bits. The number of states
// and the total work are bounded (regex/complexity_limits.h), so a pattern
// whose DFA explodes fails quickly instead of freezing the program.
#include "regex/subset_construction.h"

#include <cstring>
#include <unordered_map>

#include "regex/complexity_limits.h"
#include "regex/state_set.h"

namespace tobrel {

namespace {

class SubsetBuilder {
 public:
  explicit SubsetBuilder(const TRegexNFA& nfa)
      : nfa_(nfa),
        words_per_set_((nfa.StateCount() + 63) / 64),
        scratch_(nfa.StateCount()),
        targets_(nfa.labels().size()),
        label_seen_(nfa.labels().size(), false) {}

  std::unique_ptr<TRegexDFA> Build();

 private:
  // Closes scratch_ under epsilon transitions; `stack` holds the states added
  // to it and not yet followed.
  void CloseScratch(std::vector<int>& stack);
  // The DFA state of the set in scratch_, added when new; kNoDfaState when
  // the state bound is reached.
  DfaStateId Register();
  const std::uint64_t* SetOf(std::size_t state) const {
    return &sets_[state * words_per_set_];
  }
  std::uint64_t Hash(const std::uint64_t* words) const;

  const TRegexNFA& nfa_;
  const std::size_t words_per_set_;
  TRegexStateSet scratch_;
  std::vector<std::uint64_t> sets_;  // the sets of all DFA states, one after another
  std::unordered_multimap<std::uint64_t, DfaStateId> state_by_hash_;
  std::vector<DfaStateDraft> states_;
  std::vector<std::vector<int>> targets_;  // per label, while one state is expanded
  std::vector<bool> label_seen_;
  std::size_t work_ = 0;
};

std::uint64_t SubsetBuilder::Hash(const std::uint64_t* words) const {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (std::size_t i = 0; i < words_per_set_; ++i) {
    hash ^= words[i];
    hash *= 0x100000001b3ull;
    hash ^= hash >> 29;
  }
  return hash;
}

void SubsetBuilder::CloseScratch(std::vector<int>& stack) {
  while (!stack.empty()) {
    const int state = stack.back();
    stack.pop_back();
    for (const NfaTransition& t : nfa_.TransitionsFrom(state)) {
      ++work_;
      if (t.label == TRegexNFA::kEpsilon && !scratch_.Contains(t.target)) {
        scratch_.Add(t.target);
        stack.push_back(t.target);
      }
    }
  }
}

DfaStateId SubsetBuilder::Register() {
  const std::uint64_t* set = scratch_.words().data();
  work_ += words_per_set_;
  const std::uint64_t hash = Hash(set);
  const auto [first, last] = state_by_hash_.equal_range(hash);
  for (auto it = first; it != last; ++it) {
    if (std::memcmp(SetOf(it->second), set, words_per_set_ * sizeof(std::uint64_t)) == 0)
      return it->second;
  }
  if (states_.size() >= regex_limits::kMaxDfaStates) return kNoDfaState;
  const auto id = static_cast<DfaStateId>(states_.size());
  sets_.insert(sets_.end(), set, set + words_per_set_);
  state_by_hash_.emplace(hash, id);
  states_.push_back({scratch_.Contains(TRegexNFA::kFinal), {}});
  return id;
}

std::unique_ptr<TRegexDFA> SubsetBuilder::Build() {
  std::vector<int> stack = {TRegexNFA::kEntry};
  scratch_.Add(TRegexNFA::kEntry);
  CloseScratch(stack);
  Register();

  std::vector<std::uint64_t> current(words_per_set_);
  std::vector<int> labels_in_order;
  for (std::size_t index = 0; index < states_.size(); ++index) {
    std::copy_n(SetOf(index), words_per_set_, current.begin());
    labels_in_order.clear();
    TRegexStateSet::ForEach(current.data(), words_per_set_, [&](int state) {
      for (const NfaTransition& t : nfa_.TransitionsFrom(state)) {
        ++work_;
        if (t.label == TRegexNFA::kEpsilon) continue;
        if (!label_seen_[t.label]) {
          label_seen_[t.label] = true;
          labels_in_order.push_back(t.label);
          targets_[t.label].clear();
        }
        targets_[t.label].push_back(t.target);
      }
    });
    for (const int label : labels_in_order) {
      label_seen_[label] = false;
      scratch_.Clear();
      for (const int target : targets_[label]) {
        if (scratch_.Contains(target)) continue;
        scratch_.Add(target);
        stack.push_back(target);
      }
      CloseScratch(stack);
      const DfaStateId target = Register();
      if (target == kNoDfaState || work_ > regex_limits::kMaxSubsetWork) return nullptr;
      states_[index].transitions.push_back({label, target});
    }
  }
  auto dfa = std::make_unique<TRegexDFA>(nfa_.labels(), std::move(states_), nfa_.HeadAnchored(),
                                         nfa_.TailAnchored());
  if (!dfa->ok()) return nullptr;
  return dfa;
}

}  // namespace

std::unique_ptr<TRegexDFA> BuildDfa(const TRegexNFA& nfa) { return SubsetBuilder(nfa).Build(); }

}  // namespace tobrel
