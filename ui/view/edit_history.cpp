#include "ui/view/edit_history.h"

namespace tobrel {

void EditHistory::Clear() {
  undo_.clear();
  redo_.clear();
}

void EditHistory::Record(EditStep step) {
  const bool merges = step.typing && redo_.empty() && !undo_.empty() && undo_.back().typing &&
                      undo_.back().first_row == step.first_row &&
                      undo_.back().new_rows.size() == 1 && step.old_rows.size() == 1 &&
                      step.new_rows.size() == 1;
  redo_.clear();
  if (merges) {
    undo_.back().new_rows = std::move(step.new_rows);
    undo_.back().after = step.after;
    return;
  }
  undo_.push_back(std::move(step));
  Trim();
}

const EditStep& EditHistory::TakeUndo() {
  redo_.push_back(std::move(undo_.back()));
  undo_.pop_back();
  return redo_.back();
}

const EditStep& EditHistory::TakeRedo() {
  undo_.push_back(std::move(redo_.back()));
  redo_.pop_back();
  return undo_.back();
}

void EditHistory::Trim() {
  while (static_cast<int>(undo_.size()) > max_steps_) undo_.pop_front();
}

}  // namespace tobrel
