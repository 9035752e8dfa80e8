// Search tables. The leaf labels are disjoint and ascending, so a code's
// class is found by binary search over them; the tables fix that answer for
// every single byte and, per lead byte, for every trail byte. A lead byte
// whose 256 codes all fall into one class shares one table per class, so
// typical patterns carry only a handful of trail tables.
#include "regex/dfa.h"

#include <algorithm>
#include <map>

#include "regex/complexity_limits.h"

namespace tobrel {

TRegexDFA::TRegexDFA(std::vector<RegexLabel> labels, std::vector<DfaStateDraft> states,
                     bool head_anchored, bool tail_anchored)
    : head_anchored_(head_anchored), tail_anchored_(tail_anchored), labels_(std::move(labels)) {
  const int head_label = static_cast<int>(labels_.size()) - 2;
  const int tail_label = static_cast<int>(labels_.size()) - 1;
  accepting_.reserve(states.size());
  has_tail_.reserve(states.size());
  first_transition_.reserve(states.size() + 1);
  first_transition_.push_back(0);
  for (DfaStateDraft& state : states) {
    std::sort(state.transitions.begin(), state.transitions.end(),
              [](const DfaTransition& a, const DfaTransition& b) { return a.label < b.label; });
    accepting_.push_back(state.accepting);
    has_tail_.push_back(!state.transitions.empty() &&
                        state.transitions.back().label == tail_label);
    transitions_.insert(transitions_.end(), state.transitions.begin(), state.transitions.end());
    first_transition_.push_back(static_cast<std::uint32_t>(transitions_.size()));
  }
  for (const DfaTransition& t : Transitions(kInitialState))
    if (t.label == head_label) head_successor_ = t.target;
  ok_ = BuildTables();
}

void TRegexDFA::FillClasses(std::uint32_t base, std::uint16_t* classes) const {
  const auto leaves_end = labels_.end() - 2;
  auto leaf = std::lower_bound(labels_.begin(), leaves_end, base,
                               [](const RegexLabel& l, std::uint32_t c) { return l.hi < c; });
  for (std::uint32_t code = base; code < base + 256; ++code) {
    while (leaf != leaves_end && leaf->hi < code) ++leaf;
    classes[code - base] = leaf != leaves_end && leaf->lo <= code
                               ? static_cast<std::uint16_t>(leaf - labels_.begin() + 1)
                               : 0;
  }
}

bool TRegexDFA::SingleClassOf(std::uint32_t base, std::uint16_t* only_class) const {
  const auto leaves_end = labels_.end() - 2;
  const auto leaf = std::lower_bound(labels_.begin(), leaves_end, base,
                                     [](const RegexLabel& l, std::uint32_t c) { return l.hi < c; });
  if (leaf == leaves_end || leaf->lo > base + 255) {
    *only_class = 0;
    return true;
  }
  if (leaf->lo <= base && leaf->hi >= base + 255) {
    *only_class = static_cast<std::uint16_t>(leaf - labels_.begin() + 1);
    return true;
  }
  return false;
}

bool TRegexDFA::BuildTables() {
  const std::size_t leaf_count = labels_.size() - 2;
  class_count_ = leaf_count + 1;
  const std::size_t state_count = accepting_.size();
  if (state_count * class_count_ > regex_limits::kMaxTableCells) return false;

  next_.assign(state_count * class_count_, kNoDfaState);
  for (std::size_t s = 0; s < state_count; ++s) {
    for (const DfaTransition& t : Transitions(static_cast<DfaStateId>(s)))
      if (static_cast<std::size_t>(t.label) < leaf_count)
        next_[s * class_count_ + t.label + 1] = t.target;
  }
  may_start_anywhere_ = std::any_of(next_.begin(), next_.begin() + class_count_,
                                    [](DfaStateId s) { return s != kNoDfaState; });

  FillClasses(0, byte_classes_);

  std::map<std::uint16_t, std::int32_t> uniform_table;  // class -> offset
  for (int lead = 0; lead < 256; ++lead) {
    trail_table_of_lead_[lead] = -1;
    if (!cp932::IsLeadByte(static_cast<unsigned char>(lead))) continue;
    const std::uint32_t base = static_cast<std::uint32_t>(lead) << 8;
    const auto offset = static_cast<std::int32_t>(trail_classes_.size());
    std::uint16_t only_class;
    if (SingleClassOf(base, &only_class)) {
      const auto [it, added] = uniform_table.try_emplace(only_class, offset);
      if (added) trail_classes_.resize(trail_classes_.size() + 256, only_class);
      trail_table_of_lead_[lead] = it->second;
      continue;
    }
    trail_table_of_lead_[lead] = offset;
    trail_classes_.resize(trail_classes_.size() + 256);
    FillClasses(base, &trail_classes_[offset]);
  }
  return true;
}

}  // namespace tobrel
