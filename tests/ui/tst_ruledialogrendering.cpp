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

#include "support/sjis.h"
#include "ui/exp_mes_form.h"
#include "ui/id_set_form.h"
#include "ui/omitt_mes_form.h"
#include "ui/process_form.h"

using namespace tobrel;
using tobrel::testing::S;

namespace {

QString Plain(QString text) { return text.remove('&'); }

// Visible labels, buttons, date fields and group titles whose text does not
// fit.
QStringList CutTexts(const QWidget* dialog) {
  QStringList cut;
  for (const QLabel* label : dialog->findChildren<QLabel*>())
    if (label->isVisible() && !label->text().isEmpty() && label->width() < label->sizeHint().width())
      cut << label->text();
  for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
    if (!button->isVisible() || button->text().isEmpty()) continue;
    const int needed = qobject_cast<const QPushButton*>(button)
                           ? button->fontMetrics().horizontalAdvance(Plain(button->text())) + 8
                           : button->sizeHint().width();
    if (button->width() < needed) cut << button->text();
  }
  for (const QAbstractSpinBox* field : dialog->findChildren<QAbstractSpinBox*>()) {
    // The part that shows the text, with the line edit's own margins.
    const auto* edit = field->findChild<QLineEdit*>();
    if (field->isVisible() && edit->width() < edit->fontMetrics().horizontalAdvance(field->text()) + 8)
      cut << field->text();
  }
  for (const QGroupBox* group : dialog->findChildren<QGroupBox*>())
    if (group->isVisible() && group->width() < group->fontMetrics().horizontalAdvance(Plain(group->title())) + 16)
      cut << group->title();
  return cut;
}

// Pairs of visible controls with the same parent whose rectangles overlap.
QStringList Overlaps(const QWidget* dialog) {
  QList<const QWidget*> parents{dialog};
  for (const QGroupBox* group : dialog->findChildren<QGroupBox*>()) parents << group;
  QStringList overlaps;
  for (const QWidget* parent : parents) {
    QList<const QWidget*> controls;
    for (const QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (child->isVisible() && !child->isWindow()) controls << child;
    for (int i = 0; i < controls.size(); ++i)
      for (int j = i + 1; j < controls.size(); ++j)
        if (controls[i]->geometry().intersects(controls[j]->geometry()))
          overlaps << controls[i]->objectName() + "/" + controls[j]->objectName();
  }
  return overlaps;
}

void SaveAndCheck(QWidget* dialog, const char* picture) {
  QCoreApplication::processEvents();
  const QString path = QStringLiteral(TOBREL_TEST_ARTIFACTS "/") + picture;
  QVERIFY(dialog->grab().save(path));
  qInfo("picture: %s", qPrintable(path));
  const QStringList cut = CutTexts(dialog);
  QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("cut: ") + cut.join(QStringLiteral(" | "))));
  const QStringList overlaps = Overlaps(dialog);
  QVERIFY2(overlaps.isEmpty(), qPrintable(QStringLiteral("overlap: ") + overlaps.join(QStringLiteral(" | "))));
}

ExcludedRec Rec(ExclusionReason reason, int room, int number, const char* id, const char* handle,
                const char* title) {
  ExcludedRec rec;
  rec.Reason = reason;
  rec.Room = room;
  rec.Number = number;
  rec.Id = id;
  rec.Handle = S(handle);
  rec.Title = S(title);
  return rec;
}

}  // namespace

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
      Rec(ExclusionReason::ByTitle, 3, 12, "ABC00001", "山田太郎", "【連絡】オフラインミーティングのお知らせ"),
      Rec(ExclusionReason::ById, 1, 100, "XYZ00002", "ｽﾀｯﾌ", "会議室のご案内"),
      Rec(ExclusionReason::Duplicate, 12, 65000, "QRS00003", "ＦＵＬＬＷＩＤＴＨ名前", "Re:会議室のご案内"),
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
