// The list of selectable log files of the main window as plain data: paths
// with check marks, added once each (letter case ignored), removed, sorted
// and checked by the window's commands, and the texts of the two counters.
#pragma once

#include <string>
#include <vector>

#include "core/read_run.h"

namespace tobrel {

class CandidateList {
 public:
  const std::vector<CandidateFile>& Entries() const { return entries_; }
  // For loading a read-data file, which appends its paths as they are.
  std::vector<CandidateFile>& MutableEntries() { return entries_; }
  int Count() const { return static_cast<int>(entries_.size()); }

  // Appends `path` unchecked unless an entry equal to it, ignoring ASCII
  // letter case, is there. Gives whether it was added.
  bool Add(const std::string& path);
  void Remove(int index);  // nothing when `index` is out of range
  void Clear() { entries_.clear(); }
  // Ascending by text, letter case ignored; the check marks stay with the
  // rows, not with the paths.
  void Sort();
  void SetChecked(int index, bool checked);
  void CheckAll(bool checked);
  void InvertAll();

 private:
  std::vector<CandidateFile> entries_;
};

// "%3d Files" and "%6d Article 読込み済み" (CP932).
std::string FilesLabelText(int files);
std::string ArticlesLabelText(int postings);

}  // namespace tobrel
