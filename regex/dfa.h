// TRegexDFA is the deterministic automaton of one compiled pattern, complete
// after compiling: a search only steps through it and never builds states.
// Each state has its transitions sorted by ascending label (leaf ranges, then
// the line-head and line-tail pseudo-characters). For searching the same
// transitions are also kept as a table: every code of a text falls into one
// class (class 0: no leaf, class k + 1: leaf label k), found through a byte
// table and, for two-byte characters, a table per lead byte; the next state
// is then one table lookup.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/cp932.h"
#include "regex/char_code.h"

namespace tobrel {

using DfaStateId = std::uint16_t;
inline constexpr DfaStateId kNoDfaState = 0xFFFF;

struct DfaTransition {
  int label;  // index into TRegexDFA::labels()
  DfaStateId target;
};

// One state as the subset construction hands it over.
struct DfaStateDraft {
  bool accepting = false;
  std::vector<DfaTransition> transitions;
};

class TRegexDFA {
 public:
  // `labels` as TRegexNFA::labels(): leaves ascending, then head, then tail.
  // State 0 is the initial state. ok() is false when the search table would
  // pass regex_limits::kMaxTableCells; the automaton is then unusable.
  TRegexDFA(std::vector<RegexLabel> labels, std::vector<DfaStateDraft> states,
            bool head_anchored, bool tail_anchored);

  bool ok() const { return ok_; }
  bool HeadAnchored() const { return head_anchored_; }
  bool TailAnchored() const { return tail_anchored_; }
  int StateCount() const { return static_cast<int>(accepting_.size()); }
  static constexpr DfaStateId kInitialState = 0;
  bool IsAccepting(DfaStateId state) const { return accepting_[state]; }
  // Transitions of `state`, ascending by label.
  std::span<const DfaTransition> Transitions(DfaStateId state) const {
    return {transitions_.data() + first_transition_[state],
            transitions_.data() + first_transition_[state + 1]};
  }
  const std::vector<RegexLabel>& labels() const { return labels_; }

  // The initial state's successor on the line-head code, or kNoDfaState.
  DfaStateId HeadSuccessor() const { return head_successor_; }
  bool HasTailTransition(DfaStateId state) const { return has_tail_[state]; }
  // False when no character at all leads anywhere from the initial state.
  bool MayStartAnywhere() const { return may_start_anywhere_; }

  // The class of the character at `pos` (< text.size()); `*length` gets the
  // character's length in bytes.
  std::uint16_t ClassAt(std::string_view text, std::size_t pos, std::size_t* length) const {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (trail_table_of_lead_[byte] >= 0 && pos + 1 < text.size()) {
      const auto trail = static_cast<unsigned char>(text[pos + 1]);
      *length = 2;
      return trail_classes_[trail_table_of_lead_[byte] + trail];
    }
    *length = 1;
    return byte_classes_[byte];
  }

  // Number of character classes (ClassAt() gives 0 to ClassCount() - 1).
  std::size_t ClassCount() const { return class_count_; }

  // The successor of `state` on a character of class `char_class`, or
  // kNoDfaState.
  DfaStateId Next(DfaStateId state, std::uint16_t char_class) const {
    return next_[static_cast<std::size_t>(state) * class_count_ + char_class];
  }

  // The successor of `state` on the character at `pos` (< text.size()), or
  // kNoDfaState; `*length` gets the character's length in bytes.
  DfaStateId Step(DfaStateId state, std::string_view text, std::size_t pos,
                  std::size_t* length) const {
    return Next(state, ClassAt(text, pos, length));
  }

 private:
  bool BuildTables();
  // Writes the classes of the 256 codes from `base` on.
  void FillClasses(std::uint32_t base, std::uint16_t* classes) const;
  // True when the 256 codes from `base` on all fall into one class.
  bool SingleClassOf(std::uint32_t base, std::uint16_t* only_class) const;

  bool ok_ = false;
  bool head_anchored_;
  bool tail_anchored_;
  std::vector<RegexLabel> labels_;
  std::vector<std::uint8_t> accepting_;
  std::vector<std::uint8_t> has_tail_;
  std::vector<std::uint32_t> first_transition_;
  std::vector<DfaTransition> transitions_;
  DfaStateId head_successor_ = kNoDfaState;

  std::size_t class_count_ = 1;
  std::uint16_t byte_classes_[256] = {};
  std::int32_t trail_table_of_lead_[256];  // offset into trail_classes_, or -1
  std::vector<std::uint16_t> trail_classes_;
  std::vector<DfaStateId> next_;  // state * class_count_ + class
  bool may_start_anywhere_ = false;
};

}  // namespace tobrel
