// The state and rules of the dialog that picks room logs of the
// communication program AirCraft 97, without any widget: the dialog shows
// what this model holds and calls one method per user action. Every method
// that can report something to the user returns the notice to show.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "sources/forum_folders.h"
#include "sources/room_files.h"

namespace tobrel {

// A message box to show (CP932 text), after a beep when `beep`.
struct Notice {
  std::string text;
  bool beep = false;
};

enum class LogFolderKind { Shared = 0, Personal = 1 };

// The message when the personal log folder does not exist.
extern const std::string kPersonalFolderMissingMessage;

class AcLogModel {
 public:
  // Searches the installation in the Wine prefix at `prefix`.
  explicit AcLogModel(std::filesystem::path prefix) : prefix_(std::move(prefix)) {}

  // `FormShow`: starts afresh with `personal_folder` (the main window's
  // PersonalLogFolder) in the personal field, searches the installation and
  // lists the forums of its shared log folder.
  std::optional<Notice> Show(const std::string& personal_folder);
  // `BitBtn1Click` with the folder chosen in the folder browser.
  std::optional<Notice> ChooseInstallFolder(const std::string& folder);
  // `ComboBox1Change`.
  std::optional<Notice> ChooseFolderKind(LogFolderKind kind);
  // `Button1Click`: the folder chosen in the browser, nothing when cancelled.
  void ChoosePersonalFolder(const std::optional<std::string>& folder);
  // The personal folder as typed.
  void SetPersonalFolder(std::string folder) { personal_folder_ = std::move(folder); }
  // `ListView1Change`: the forum row `row` becomes the chosen one.
  void ChooseForum(std::size_t row);
  // `RadioGroup1Click`.
  void SetOrder(RoomOrder order);
  // `ListView2Change` with the selected room rows (indexes into room_files()).
  void SelectRoomFiles(const std::vector<std::size_t>& rows);
  // The selection text as typed.
  void SetSelectionText(std::string text) { selection_text_ = std::move(text); }

  // On OK: the files to hand over, and personal_folder() for the settings.
  std::vector<std::string> SelectedPaths() const;

  LogFolderKind folder_kind() const { return folder_kind_; }
  const std::string& install_folder() const { return install_folder_; }
  const std::string& log_root() const { return log_root_; }
  const std::string& shared_log_root() const { return shared_log_root_; }
  const std::string& forum_folder() const { return forum_folder_; }
  const std::string& personal_folder() const { return personal_folder_; }
  const std::string& selection_text() const { return selection_text_; }
  RoomOrder order() const { return order_; }
  const std::vector<ForumRow>& forums() const { return forums_; }
  const std::vector<RoomFileRow>& room_files() const { return room_files_; }

 private:
  // `ScanForumFolders` over the current log root; the lists and the
  // selection text are emptied first, also when the log root is empty.
  void ListForums();
  // The log root from "Global.Dat" of the installation folder, then the
  // forums; gives the message of a missing "Global.Dat".
  std::optional<Notice> ReadSharedLogRoot();

  std::filesystem::path prefix_;
  LogFolderKind folder_kind_ = LogFolderKind::Shared;
  std::string install_folder_;   // Edit1
  std::string log_root_;         // LogRoot
  std::string shared_log_root_;  // SharedLogRoot
  std::string forum_folder_;     // ForumFolder
  std::string personal_folder_;  // Edit3
  std::string selection_text_;   // Edit2
  RoomOrder order_ = RoomOrder::Ascending;
  std::vector<ForumRow> forums_;
  std::vector<RoomFileRow> room_files_;
};

}  // namespace tobrel
