// Renders each dialog of the exclusion rules and of the processing output
// with Japanese content into a picture (kept in the build folder for a
// look), and checks what a picture alone would show badly: texts of labels,
// buttons and group titles cut short, and controls lying on top of each
// other.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "dialog_checks.h"
#include "support/excluded_posting.h"
#include "support/sjis.h"
#include "ui/dialogs/exp_mes_form.h"
#include "ui/dialogs/id_set_form.h"
#include "ui/dialogs/omitt_mes_form.h"
#include "ui/dialogs/process_form.h"

using namespace tobrel;
using tobrel::testing::ExcludedPosting;
using tobrel::testing::S;
using tobrel::testing::SaveAndCheck;

class TestRuleDialogRendering : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void idSetForm();
  void omittMesForm();
  void expMesForm();
  void form5();

 private:
  QWidget main_;
  FixedClock clock_{*EncodeDateTime({2026, 12, 10})};
};

void TestRuleDialogRendering::initTestCase() {
  main_.setGeometry(0, 0, 1000, 700);
  main_.show();
}

void TestRuleDialogRendering::idSetForm() {
  TIDSetForm form(&main_);
  form.SetTexts(SameIdEditorTexts());
  form.SetLines({"ABC00001,ABC00002", "ABC00001,ABC00003 " + S("旧ハンドル"), "XYZ12345,QRS54321"});
  form.show();
  SaveAndCheck(&form, "dialog_tidsetform.png");
}

void TestRuleDialogRendering::omittMesForm() {
  ExclusionRules rules;
  rules.id_rule = rules.title_rule = true;
  rules.title_text = S("^【(お知らせ|連絡)】");
  TOmittMesForm form(rules, &main_);
  form.show();
  SaveAndCheck(&form, "dialog_tomittmesform.png");
  form.reject();
}

void TestRuleDialogRendering::expMesForm() {
  LogStore store;
  store.Excluded = {
      ExcludedPosting(ExclusionReason::ByTitle, 3, 12, "ABC00001", "山田太郎", "【連絡】オフラインミーティングのお知らせ"),
      ExcludedPosting(ExclusionReason::ById, 1, 100, "XYZ00002", "ｽﾀｯﾌ", "会議室のご案内"),
      ExcludedPosting(ExclusionReason::Duplicate, 12, 65000, "QRS00003", "ＦＵＬＬＷＩＤＴＨ名前", "Re:会議室のご案内"),
  };
  TExpMesForm form(store, &main_);
  form.show();
  SaveAndCheck(&form, "dialog_texpmesform.png");
  form.accept();
}

void TestRuleDialogRendering::form5() {
  TForm5 form(clock_, &main_);
  form.SetInputFiles({"/home/user/logs/" + std::string("FPC") + "/mes_05.log", "/home/user/logs/mes_01.log"});
  form.findChild<QComboBox*>("ComboBox1")->setCurrentIndex(0);
  form.findChild<QCheckBox*>("CheckBox1")->click();
  form.show();
  SaveAndCheck(&form, "dialog_tform5.png");
  form.reject();
}

QTEST_MAIN(TestRuleDialogRendering)
#include "tst_ruledialogrendering.moc"
