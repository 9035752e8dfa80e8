// TACLogFrm: the dialog that picks room logs of the communication program
// AirCraft 97. It finds the installation in the Wine prefix, lists the
// forums of its shared log folder (or of the user's personal log folder)
// and the room log files of the chosen forum, and gives the chosen files
// to the window that opened it. Every rule lives in AcLogModel; this class
// shows the model and forwards the user's actions to it.
#pragma once

#include <QDialog>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "sources/ac_log_model.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace tobrel {

// What the dialog keeps in the settings file: the personal log folder
// (native; key "PERSONAL" of section "FOLDER").
struct AcLogRemembered {
  std::string personal_log_folder;
};

class TACLogFrm : public QDialog {
  Q_OBJECT

 public:
  // Searches the installation in the Wine prefix at `wine_prefix`.
  explicit TACLogFrm(std::filesystem::path wine_prefix, QWidget* parent = nullptr);

  // The personal folder goes into its field at every showing; OK takes the
  // field's text back, Cancel leaves the remembered value as it was.
  AcLogRemembered Remembered() const { return remembered_; }
  void SetRemembered(const AcLogRemembered& remembered) { remembered_ = remembered; }

  // After OK: the files to add, native paths in the order of the selection
  // field (an empty field gives none; ";;" gives an empty entry).
  std::vector<std::string> SelectedPaths() const { return model_.SelectedPaths(); }

  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();
  void FormShow();
  void ComboBox1Change(int index);
  void BitBtn1Click();
  void Button1Click();
  void ListView1Change();
  void ListView2Change();
  void RadioGroup1Click(int id);

  // The widgets filled again from the model.
  void ShowForums();
  void ShowRoomFiles(const std::vector<std::string>& keep_selected = {});
  void ShowReport(const std::optional<Notice>& notice);

  AcLogModel model_;
  std::vector<std::string> drives_;
  AcLogRemembered remembered_;

  QComboBox* ComboBox1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QTreeWidget* ListView1 = nullptr;
  QTreeWidget* ListView2 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QLineEdit* Edit3 = nullptr;
  QPushButton* Button1 = nullptr;
  QGroupBox* RadioGroup1 = nullptr;
  QButtonGroup* order_buttons_ = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QPushButton* BitBtn3 = nullptr;
};

}  // namespace tobrel
