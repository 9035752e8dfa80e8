// EditHistory: the undo and redo store of a text view. Every edit is kept as
// the replacement of a run of rows (the old rows and the new ones) together
// with the caret and selection before and after it. The store holds at most
// a set number of steps and forgets the oldest first; consecutive typing on
// one row is kept as one step.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "ui/view/text_pos.h"

namespace tobrel {

struct CaretState {
  TextPos anchor;
  TextPos caret;
};

struct EditStep {
  int first_row = 0;
  std::vector<std::string> old_rows;
  std::vector<std::string> new_rows;
  CaretState before;
  CaretState after;
  bool typing = false;  // one typed character; merges with the typing before
};

class EditHistory {
 public:
  explicit EditHistory(int max_steps) : max_steps_(max_steps) {}

  int MaxSteps() const { return max_steps_; }
  void Clear();

  // Stores a step that has just been applied; forgets what could be redone.
  void Record(EditStep step);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // Moves the latest step to the redo list and returns it; the caller
  // reverts it. Must not be called unless CanUndo().
  const EditStep& TakeUndo();
  // Moves the latest undone step back and returns it; the caller applies it
  // again. Must not be called unless CanRedo().
  const EditStep& TakeRedo();

 private:
  void Trim();

  int max_steps_;
  std::deque<EditStep> undo_;
  std::vector<EditStep> redo_;
};

}  // namespace tobrel
