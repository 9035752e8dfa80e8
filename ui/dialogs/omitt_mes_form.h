// TOmittMesForm: the dialog of the exclusion and same-person rules. It edits
// the rules the main window owns: on showing it copies both ID lists into
// working copies and shows the switches, the title mode and the stored title
// text; the ID list editor edits the working copies; OK puts the working
// copies of the switched-on lists and the title pattern into force, and
// however it closes, the switches, the mode and the title text become the
// rules' own. Postings already read stay as they are.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exclusion/exclusion_dialog.h"
#include "exclusion/exclusion_rules.h"
#include "exclusion/id_list_file.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tobrel {

class TIDSetForm;
class TRadioGroup;

class TOmittMesForm : public QDialog {
  Q_OBJECT

 public:
  // `rules` must outlive the dialog.
  explicit TOmittMesForm(ExclusionRules& rules, QWidget* parent = nullptr);

  // The ID list editor the two buttons open (centred over this dialog).
  TIDSetForm& IdEditor() { return *id_editor_; }

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Takes the editor's lines, or throws Failure with the message to show.
  using EditorCheck = std::function<void(const std::vector<std::string_view>&)>;

  void CreateControls();
  void EnableControls();
  ExclusionDialogFields Fields() const;
  void CheckBox1Click();
  void CheckBox2Click();
  void CheckBox3Click();
  void Button1Click();  // "集計除外設定"
  void Button2Click();  // "同一視IDの設定"
  // Shows the editor with `texts` and `lines` until it closes other than
  // with OK or `accept` takes its lines (throws no Failure).
  void EditIdList(const IdEditorTexts& texts, const std::vector<std::string>& lines,
                  const EditorCheck& accept);

  ExclusionRules& rules_;
  std::optional<ExclusionDialogSession> session_;
  // The file names of the pair editor's dialogs, kept apart from those of
  // the excluded IDs so that saving pairs never writes over an ID list.
  IdListFiles same_id_files_;
  TIDSetForm* id_editor_;
  QCheckBox* CheckBox1;   // "集計対象から除外するﾕｰｻﾞｰID(&I)"
  QPushButton* Button1;   // "集計除外設定"
  QCheckBox* CheckBox2;   // "集計対象から除外するﾀｲﾄﾙ(&T)"
  QLineEdit* Edit1;       // the title text
  TRadioGroup* RadioGroup1;  // "表現(&S)"
  QCheckBox* CheckBox3;   // "集計時に同一視するIDの設定(&S)"
  QPushButton* Button2;   // "同一視IDの設定"
  QPushButton* BitBtn1;   // "&OK"
  QPushButton* BitBtn2;   // "&CANCEL"
};

}  // namespace tobrel
