#include "sources/ac_log_model.h"

#include <algorithm>

#include "platform/cp932.h"
#include "platform/folder_listing.h"
#include "sources/install_search.h"
#include "sources/selection_text.h"

namespace tobrel {

const std::string kPersonalFolderMissingMessage = cp932::FromUtf8(
    "個人ログフォルダが存在しません\r\n正しいフォルダを設定してください");

std::optional<Notice> AcLogModel::Show(const std::string& personal_folder) {
  personal_folder_ = personal_folder;
  folder_kind_ = LogFolderKind::Shared;
  install_folder_.clear();
  selection_text_.clear();
  order_ = RoomOrder::Ascending;
  log_root_.clear();
  forum_folder_.clear();
  forums_.clear();
  room_files_.clear();

  const InstallSearch search = FindInstallFolder(WineSystem::Load(prefix_));
  if (search.log_unread) return Notice{search.log_unread->message(), false};
  install_folder_ = search.folder;
  if (install_folder_.empty()) return std::nullopt;
  return ReadSharedLogRoot();
}

std::optional<Notice> AcLogModel::ReadSharedLogRoot() {
  const GlobalDatResult global = ReadGlobalDat(WineSystem::Load(prefix_), install_folder_);
  log_root_ = global.log_root;
  ListForums();
  if (!log_root_.empty()) shared_log_root_ = log_root_;
  if (global.not_read) return Notice{global.not_read->message(), true};
  return std::nullopt;
}

std::optional<Notice> AcLogModel::ChooseInstallFolder(const std::string& folder) {
  install_folder_ = WithFinalSlash(folder);
  return ReadSharedLogRoot();
}

std::optional<Notice> AcLogModel::ChooseFolderKind(LogFolderKind kind) {
  if (kind == LogFolderKind::Personal) {
    if (personal_folder_.empty() || !IsFolder(personal_folder_)) {
      folder_kind_ = LogFolderKind::Shared;
      return Notice{kPersonalFolderMissingMessage, true};
    }
    log_root_ = WithFinalSlash(personal_folder_);
  } else {
    log_root_ = shared_log_root_;
  }
  folder_kind_ = kind;
  ListForums();
  return std::nullopt;
}

void AcLogModel::ChoosePersonalFolder(const std::optional<std::string>& folder) {
  personal_folder_ = folder ? WithFinalSlash(*folder) : std::string();
}

void AcLogModel::ListForums() {
  forums_.clear();
  room_files_.clear();
  selection_text_.clear();
  if (!log_root_.empty()) forums_ = ScanForumFolders(log_root_, install_folder_);
}

void AcLogModel::ChooseForum(std::size_t row) {
  if (row >= forums_.size()) return;
  forum_folder_ = forums_[row].folder;
  selection_text_.clear();
  room_files_ = ListRoomFiles(log_root_ + forum_folder_, order_);
}

void AcLogModel::SetOrder(RoomOrder order) {
  order_ = order;
  SortRoomFiles(room_files_, order_);
}

void AcLogModel::SelectRoomFiles(const std::vector<std::size_t>& rows) {
  std::vector<std::size_t> in_order(rows);
  std::sort(in_order.begin(), in_order.end());
  in_order.erase(std::unique(in_order.begin(), in_order.end()), in_order.end());
  std::vector<std::string> paths;
  for (const std::size_t row : in_order)
    if (row < room_files_.size())
      paths.push_back(log_root_ + forum_folder_ + "/" + room_files_[row].file_name);
  if (!paths.empty()) selection_text_ = JoinSelection(paths);
}

std::vector<std::string> AcLogModel::SelectedPaths() const {
  return SplitSelection(selection_text_);
}

}  // namespace tobrel
