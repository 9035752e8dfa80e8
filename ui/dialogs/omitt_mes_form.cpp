#include "ui/dialogs/omitt_mes_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "ui/widgets/dialog_support.h"
#include "ui/dialogs/id_set_form.h"
#include "ui/widgets/radio_group.h"

namespace tobrel {
namespace {

}  // namespace

TOmittMesForm::TOmittMesForm(ExclusionRules& rules, QWidget* parent)
    : QDialog(parent), rules_(rules), id_editor_(new TIDSetForm(this)) {
  setObjectName(QStringLiteral("OmittMesForm"));
  setModal(true);
  setWindowTitle(U("読込／集計時に集計から除外する発言の設定"));
  CreateControls();
  EnableControls();
}

void TOmittMesForm::CreateControls() {
  CheckBox1 = Named(new QCheckBox(U("集計対象から除外するﾕｰｻﾞｰID(&I)"), this), "CheckBox1");
  Button1 = Named(new QPushButton(U("集計除外設定"), this), "Button1");
  CheckBox2 = Named(new QCheckBox(U("集計対象から除外するﾀｲﾄﾙ(&T)"), this), "CheckBox2");
  Edit1 = Named(new QLineEdit(this), "Edit1");
  RadioGroup1 = new TRadioGroup(QStringLiteral("RadioGroup1"), U("表現(&S)"),
                                {U("正規表現"), U("前方一致")}, 2, this);
  CheckBox3 = Named(new QCheckBox(U("集計時に同一視するIDの設定(&S)"), this), "CheckBox3");
  Button2 = Named(new QPushButton(U("同一視IDの設定"), this), "Button2");
  BitBtn1 = Named(new QPushButton(U("&OK"), this), "BitBtn1");
  BitBtn2 = Named(new QPushButton(U("&CANCEL"), this), "BitBtn2");
  BitBtn1->setDefault(true);

  connect(CheckBox1, &QCheckBox::clicked, this, &TOmittMesForm::CheckBox1Click);
  connect(CheckBox2, &QCheckBox::clicked, this, &TOmittMesForm::CheckBox2Click);
  connect(CheckBox3, &QCheckBox::clicked, this, &TOmittMesForm::CheckBox3Click);
  connect(Button1, &QPushButton::clicked, this, &TOmittMesForm::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TOmittMesForm::Button2Click);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

  auto* rules = new QGridLayout;
  rules->addWidget(CheckBox1, 0, 0, 1, 2);
  rules->addWidget(Button1, 0, 2);
  rules->addWidget(CheckBox2, 1, 0, 1, 3);
  rules->addWidget(Edit1, 2, 1, 1, 2);
  rules->addWidget(RadioGroup1, 3, 1, 1, 2);
  rules->addWidget(CheckBox3, 4, 0, 1, 2);
  rules->addWidget(Button2, 4, 2);
  rules->setColumnMinimumWidth(0, 16);
  rules->setColumnStretch(1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(rules);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  setMinimumWidth(440);
}

void TOmittMesForm::EnableControls() {
  Button1->setEnabled(CheckBox1->isChecked());
  Button2->setEnabled(CheckBox3->isChecked());
  Edit1->setEnabled(CheckBox2->isChecked());
  RadioGroup1->setEnabled(CheckBox2->isChecked());
}

ExclusionDialogFields TOmittMesForm::Fields() const {
  return {CheckBox1->isChecked(), CheckBox2->isChecked(),
          RadioGroup1->ItemIndex() == 1 ? TitleMode::Prefix : TitleMode::Regex,
          ToCp932(Edit1->text()), CheckBox3->isChecked()};
}

void TOmittMesForm::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {  // opened, not restored by the window system
    session_.emplace(rules_);
    CheckBox1->setChecked(rules_.id_rule);
    CheckBox2->setChecked(rules_.title_rule);
    RadioGroup1->SetItemIndex(rules_.title_mode == TitleMode::Prefix ? 1 : 0);
    Edit1->setText(FromCp932(rules_.title_text));
    CheckBox3->setChecked(rules_.same_id_rule);
    EnableControls();
    CenterOverParent(this);
  }
  QDialog::showEvent(event);
}

void TOmittMesForm::done(int result) {
  if (session_) {
    std::optional<Failure> refusal;
    try {
      CloseExclusionDialog(rules_, *session_, Fields(), result == QDialog::Accepted);
    } catch (const Failure& failure) {
      refusal = failure;
    }
    session_.reset();
    if (refusal) ShowMessageText(this, refusal->message(), true);
  }
  QDialog::done(result);
}

void TOmittMesForm::CheckBox1Click() {
  EnableControls();
  if (CheckBox1->isChecked()) Button1->setFocus();
}

void TOmittMesForm::CheckBox2Click() { EnableControls(); }

void TOmittMesForm::CheckBox3Click() {
  EnableControls();
  if (CheckBox3->isChecked()) Button2->setFocus();
}

void TOmittMesForm::Button1Click() {
  if (!session_) return;
  id_editor_->ForgetFile();
  EditIdList(ExcludedIdEditorTexts(), session_->excluded_ids(),
             [this](const std::vector<std::string_view>& lines) {
               return session_->AcceptExcludedIdEditor(lines);
             });
}

void TOmittMesForm::Button2Click() {
  if (!session_) return;
  id_editor_->SetFiles(same_id_files_);
  EditIdList(SameIdEditorTexts(), session_->same_id_pairs(),
             [this](const std::vector<std::string_view>& lines) {
               return session_->AcceptSameIdEditor(lines);
             });
  same_id_files_ = id_editor_->Files();
}

void TOmittMesForm::EditIdList(const IdEditorTexts& texts, const std::vector<std::string>& lines,
                               const EditorCheck& accept) {
  id_editor_->SetTexts(texts);
  id_editor_->SetLines(lines);
  while (id_editor_->exec() == QDialog::Accepted) {
    const std::vector<std::string> edited = id_editor_->Lines();
    try {
      accept(std::vector<std::string_view>(edited.begin(), edited.end()));
      return;
    } catch (const Failure& refusal) {
      ShowMessageText(this, refusal.message(), true);
    }
  }
}

}  // namespace tobrel
