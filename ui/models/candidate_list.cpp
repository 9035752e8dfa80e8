#include "ui/models/candidate_list.h"

#include <algorithm>
#include <cstdio>

#include "platform/cp932.h"
#include "platform/text_case.h"

namespace tobrel {
bool CandidateList::Add(const std::string& path) {
  for (const CandidateFile& entry : entries_)
    if (EqualsIgnoringCase(entry.path, path)) return false;
  entries_.push_back({path, false});
  return true;
}

void CandidateList::Remove(int index) {
  if (index >= 0 && index < Count()) entries_.erase(entries_.begin() + index);
}

void CandidateList::Sort() {
  std::vector<std::string> paths;
  for (const CandidateFile& entry : entries_) paths.push_back(entry.path);
  std::stable_sort(paths.begin(), paths.end(), NameLess);
  for (std::size_t i = 0; i < paths.size(); ++i) entries_[i].path = paths[i];
}

void CandidateList::SetChecked(int index, bool checked) {
  if (index >= 0 && index < Count()) entries_[index].checked = checked;
}

void CandidateList::CheckAll(bool checked) {
  for (CandidateFile& entry : entries_) entry.checked = checked;
}

void CandidateList::InvertAll() {
  for (CandidateFile& entry : entries_) entry.checked = !entry.checked;
}

std::string FilesLabelText(int files) {
  char text[32];
  std::snprintf(text, sizeof text, "%3d Files", files);
  return text;
}

std::string ArticlesLabelText(int postings) {
  char text[32];
  std::snprintf(text, sizeof text, "%6d Article ", postings);
  return text + cp932::FromUtf8("読込み済み");
}

}  // namespace tobrel
