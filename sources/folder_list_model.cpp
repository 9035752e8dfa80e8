#include "sources/folder_list_model.h"

#include <algorithm>

#include "platform/folder_listing.h"
#include "platform/text_case.h"
#include "platform/wine_paths.h"
#include "sources/selection_text.h"

namespace tobrel {

std::string StartFolder(const std::string& last_log_folder) {
  if (!last_log_folder.empty() && IsFolder(last_log_folder)) return last_log_folder;
  return HomeFolder().string();
}

std::vector<std::string> DriveFolders(const std::filesystem::path& prefix) {
  std::vector<std::string> folders = {"/", HomeFolder().string()};
  for (const WineDrive& drive : WineDrives(prefix)) folders.push_back(drive.target.string());
  std::vector<std::string> unique;
  for (std::string& folder : folders)
    if (std::find(unique.begin(), unique.end(), folder) == unique.end())
      unique.push_back(std::move(folder));
  return unique;
}

FolderListModel::FolderListModel(const FolderListSettings& settings) {
  for (std::size_t i = 0; i < settings.add_masks.size() && i < 10; ++i) {
    if (settings.add_masks[i].empty()) break;
    masks_.push_back(settings.add_masks[i]);
  }
  masks_.insert(masks_.end(), kBuiltInMasks.begin(), kBuiltInMasks.end());
}

void FolderListModel::Show(const std::string& folder) {
  showing_ = true;
  mask_index_ = 0;
  folder_ = folder;
  counters_ = {};  // before listing, so that the first list is in ascending order
  ListFiles();
  selected_files_.clear();
}

void FolderListModel::ChangeFolder(const std::string& folder) {
  folder_ = folder;
  if (showing_) ListFiles();
}

void FolderListModel::ChooseMask(std::size_t index) {
  if (index >= masks_.size()) return;
  mask_index_ = index;
  ListFiles();
}

void FolderListModel::AddMask(std::string_view answer) {
  if (answer.empty()) return;
  const std::string folded = UpperCp932(answer);
  const auto known = std::find_if(masks_.begin(), masks_.end(), [&](const std::string& mask) {
    return UpperCp932(mask) == folded;
  });
  if (known == masks_.end()) {
    masks_.emplace_back(answer);
    mask_index_ = masks_.size() - 1;
  } else {
    mask_index_ = static_cast<std::size_t>(known - masks_.begin());
  }
  ListFiles();
}

void FolderListModel::ListFiles() {
  folder_ = WithFinalSlash(folder_);
  rows_ = ListFolderFiles(folder_, masks_[mask_index_]);
  SortFileRows(rows_, FileColumn::Name, counters_[0] % 2 == 1);
}

void FolderListModel::SelectRows(const std::vector<std::size_t>& rows) {
  std::vector<std::size_t> in_order(rows);
  std::sort(in_order.begin(), in_order.end());
  in_order.erase(std::unique(in_order.begin(), in_order.end()), in_order.end());
  std::vector<std::string> paths;
  for (const std::size_t row : in_order)
    if (row < rows_.size()) paths.push_back(folder_ + rows_[row].name);
  if (!paths.empty()) selected_files_ = JoinSelection(paths);
}

void FolderListModel::ClickColumn(FileColumn column) {
  int& counter = counters_[static_cast<int>(column)];
  ++counter;
  SortFileRows(rows_, column, counter % 2 == 1);
}

std::vector<std::string> FolderListModel::SelectedPaths() const {
  return SplitSelection(selected_files_);
}

std::string FolderListModel::NewLastLogFolder() const {
  const std::vector<std::string> paths = SelectedPaths();
  return paths.empty() ? std::string() : FolderOfPath(paths.front());
}

}  // namespace tobrel
