// TIDSetForm: the small modal text editor of the ID lists. The caller sets
// its caption and the hint of the text area, fills the lines, shows it with
// exec() and reads the lines back after OK; checking them is the caller's.
// The editor loads the text from list files and saves it to them, and keeps
// the file names of its open and save dialogs between showings.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "exclusion/exclusion_dialog.h"
#include "exclusion/id_list_file.h"

class QAction;
class QPlainTextEdit;
class QPushButton;

namespace tobrel {

class TIDSetForm : public QDialog {
  Q_OBJECT

 public:
  explicit TIDSetForm(QWidget* parent = nullptr);

  // The caption and the text area's hint (CP932).
  void SetTexts(const IdEditorTexts& texts);
  // The text, one CP932 line a list entry.
  void SetLines(const std::vector<std::string>& lines);
  std::vector<std::string> Lines() const;

  // The file names of the open and save dialogs.
  const IdListFiles& Files() const { return document_.files(); }
  void SetFiles(IdListFiles files) { document_.SetFiles(std::move(files)); }
  void ForgetFile() { document_.ForgetFile(); }

  // The menu commands.
  void New1Click();
  void Open1Click();
  void Save1Click();
  void SaveAs1Click();
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateMenu();
  // Writes the text to `path`, through "名前をつけて保存" when `save_as`.
  void WriteFile(const std::string& path, bool save_as);

  QPlainTextEdit* Memo1;
  QPushButton* BitBtn1;  // "&OK"
  QPushButton* BitBtn2;  // "&Cancel"
  QAction* New1;
  QAction* Open1;
  QAction* Save1;
  QAction* SaveAs1;
  QAction* Cut1;
  QAction* Copy1;
  QAction* Paste1;
  IdListDocument document_;
};

}  // namespace tobrel
