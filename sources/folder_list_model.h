// The state and rules of the dialog that picks log files from a folder
// tree by file masks, without any widget: the dialog shows what this model
// holds and calls one method per user action.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "sources/folder_files.h"

namespace tobrel {

// What the dialog takes from the settings file: the values of the keys
// "AddMask0" to "AddMask9" of section "FileMask" in that order (CP932; an
// empty text for a missing key).
struct FolderListSettings {
  std::vector<std::string> add_masks;
};

// The masks every list offers after the user's own.
inline constexpr std::array<std::string_view, 4> kBuiltInMasks = {"*.LOG;*.TXT", "*.LOG",
                                                                  "*.TXT", "*.*"};

// The folder the tree starts in: `last_log_folder` when it is a folder,
// otherwise the user's home folder (the program's folder of the desktop
// this was first written for has no place on Linux).
std::string StartFolder(const std::string& last_log_folder);

// The folders the drive list offers: "/", the home folder and the folders
// the drive letters of the Wine prefix at `prefix` stand for, in that
// order, each once.
std::vector<std::string> DriveFolders(const std::filesystem::path& prefix);

class FolderListModel {
 public:
  // `FormCreate`: the user masks up to the first empty one, then the
  // built-in masks.
  explicit FolderListModel(const FolderListSettings& settings);

  // `FormShow` with the tree's current folder; `Hide` is `FormHide`.
  void Show(const std::string& folder);
  void Hide() { showing_ = false; }
  // `DirectoryListBox1Change`: lists the new folder while showing.
  void ChangeFolder(const std::string& folder);
  // `ComboBox1Change`: the mask `index` of masks() becomes the current one.
  void ChooseMask(std::size_t index);
  // `BitBtn3Click` with the input box's answer (CP932); an empty answer
  // changes nothing.
  void AddMask(std::string_view answer);
  // `ListView1Change` with the selected rows (indexes into rows()).
  void SelectRows(const std::vector<std::size_t>& rows);
  // `ListView1ColumnClick`.
  void ClickColumn(FileColumn column);

  // On OK: the files to hand over, and the new LastLogFolder (the folder of
  // the first of them; empty when there is none).
  std::vector<std::string> SelectedPaths() const;
  std::string NewLastLogFolder() const;

  const std::vector<std::string>& masks() const { return masks_; }
  std::size_t mask_index() const { return mask_index_; }
  const std::string& folder() const { return folder_; }
  const std::vector<FileRow>& rows() const { return rows_; }
  const std::string& selected_files() const { return selected_files_; }
  int sort_counter(FileColumn column) const { return counters_[static_cast<int>(column)]; }
  bool showing() const { return showing_; }

 private:
  // `ListFolderFiles` of the current folder with the current mask.
  void ListFiles();

  std::vector<std::string> masks_;
  std::size_t mask_index_ = 0;
  std::string folder_;  // ends in "/"
  std::vector<FileRow> rows_;
  std::string selected_files_;  // SelectedFiles
  std::array<int, 3> counters_{};
  bool showing_ = false;
};

}  // namespace tobrel
