// TFileSelectFrm: the dialog that picks log files from a folder tree. A
// drive list chooses the tree's root, the tree the folder, and a file mask
// which of the folder's files are listed, with size and time stamp and
// sortable by each column; the chosen files go to the window that opened
// it. Every rule lives in FolderListModel; this class shows the model and
// forwards the user's actions to it.
#pragma once

#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

#include "sources/folder_list_model.h"

class QComboBox;
class QPushButton;
class QTreeWidget;

namespace tobrel {

class FolderTree;

// What the dialog keeps in the settings file: the folder files were last
// taken from (native; key "FOLDERNAME" of section "FOLDER").
struct FileSelectRemembered {
  std::string last_log_folder;
};

class TFileSelectFrm : public QDialog {
  Q_OBJECT

 public:
  // `settings` holds the user's masks, read once here; the drive list
  // offers the drives of the Wine prefix at `wine_prefix`.
  TFileSelectFrm(std::filesystem::path wine_prefix, const FolderListSettings& settings,
                 QWidget* parent = nullptr);

  // The dialog opens in the remembered folder (the home folder when it is
  // empty or gone); OK remembers the folder of the first chosen file.
  FileSelectRemembered Remembered() const { return remembered_; }
  void SetRemembered(const FileSelectRemembered& remembered) { remembered_ = remembered; }

  // After OK: the chosen files, native paths in list order.
  std::vector<std::string> SelectedPaths() const { return model_.SelectedPaths(); }

  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void CreateControls();
  void FormShow();
  void DriveComboBox1Change(int index);
  void DirectoryListBox1Change();
  void ComboBox1Change(int index);
  void BitBtn3Click();
  void ListView1Change();
  void ListView1ColumnClick(int column);

  // The widgets filled again from the model.
  void ShowMasks();
  void ShowRows(const std::vector<std::string>& keep_selected = {});
  // The drive whose folder holds `folder` (the longest such one).
  int DriveOf(const std::string& folder) const;

  FolderListModel model_;
  std::vector<std::string> drives_;
  FileSelectRemembered remembered_;

  QComboBox* DriveComboBox1 = nullptr;
  FolderTree* DirectoryListBox1 = nullptr;
  QTreeWidget* ListView1 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QPushButton* BitBtn3 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
};

}  // namespace tobrel
