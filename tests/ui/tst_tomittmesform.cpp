// Tests of the exclusion settings dialog: what it shows from the rules, the
// ID list editor's round through the working copies, what OK and Cancel put
// into force, and its messages.
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "dialog_checks.h"
#include "modal_script.h"
#include "support/sjis.h"
#include "ui/widgets/dialog_support.h"
#include "ui/dialogs/id_set_form.h"
#include "ui/dialogs/omitt_mes_form.h"
#include "ui/widgets/radio_group.h"

using namespace tobrel;
using tobrel::testing::Child;
using tobrel::testing::ModalScript;
using tobrel::testing::NoteText;
using tobrel::testing::S;
using Lines = std::vector<std::string>;

Q_DECLARE_METATYPE(Lines)

namespace {

// An editor step: records its caption, hint and text, then puts `text` in
// and presses `button`.
struct EditorSeen {
  QString caption, hint, text;
};
std::function<void(TIDSetForm*)> Edit(EditorSeen& seen, const QString& text, const char* button) {
  return [&seen, text, button](TIDSetForm* editor) {
    auto* memo = Child<QPlainTextEdit>(*editor, "Memo1");
    seen = {editor->windowTitle(), memo->toolTip(), memo->toPlainText()};
    if (!text.isNull()) memo->setPlainText(text);
    Child<QPushButton>(*editor, button)->click();
  };
}

}  // namespace

class TestTOmittMesForm : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void showsTheRules_data();
  void showsTheRules();
  void switchesEnableTheirControls();
  void editedListsOnOk_data();
  void editedListsOnOk();
  void invalidLinesShowTheEditorAgain_data();
  void invalidLinesShowTheEditorAgain();
  void cancelKeepsTheListsInForce();
  void titlePatternOnOk_data();
  void titlePatternOnOk();
  void pairEditorKeepsItsOwnFiles();

 private:
  QWidget owner_;
};

void TestTOmittMesForm::initTestCase() {
  owner_.setGeometry(50, 40, 900, 700);
  owner_.show();
}

void TestTOmittMesForm::showsTheRules_data() {
  QTest::addColumn<bool>("id_rule");
  QTest::addColumn<bool>("title_rule");
  QTest::addColumn<int>("mode");
  QTest::addColumn<bool>("same_id_rule");
  QTest::newRow("program start") << false << false << 0 << false;
  QTest::newRow("all on, prefix") << true << true << 1 << true;
  QTest::newRow("title only") << false << true << 0 << false;
}

void TestTOmittMesForm::showsTheRules() {
  QFETCH(bool, id_rule);
  QFETCH(bool, title_rule);
  QFETCH(int, mode);
  QFETCH(bool, same_id_rule);
  ExclusionRules rules;
  rules.id_rule = id_rule;
  rules.title_rule = title_rule;
  rules.title_mode = mode ? TitleMode::Prefix : TitleMode::Regex;
  rules.title_text = S("【お知らせ】");
  rules.same_id_rule = same_id_rule;
  TOmittMesForm form(rules, &owner_);
  form.show();
  QCOMPARE(form.windowTitle(), U("読込／集計時に集計から除外する発言の設定"));
  QCOMPARE(form.pos(), CenteredTopLeft(owner_.frameGeometry(), form.frameGeometry().size()));
  QCOMPARE(Child<QCheckBox>(form, "CheckBox1")->isChecked(), id_rule);
  QCOMPARE(Child<QCheckBox>(form, "CheckBox1")->text(), U("集計対象から除外するﾕｰｻﾞｰID(&I)"));
  QCOMPARE(Child<QCheckBox>(form, "CheckBox2")->isChecked(), title_rule);
  QCOMPARE(Child<QCheckBox>(form, "CheckBox2")->text(), U("集計対象から除外するﾀｲﾄﾙ(&T)"));
  QCOMPARE(Child<QCheckBox>(form, "CheckBox3")->isChecked(), same_id_rule);
  QCOMPARE(Child<QCheckBox>(form, "CheckBox3")->text(), U("集計時に同一視するIDの設定(&S)"));
  QCOMPARE(Child<TRadioGroup>(form, "RadioGroup1")->ItemIndex(), mode);
  QCOMPARE(Child<TRadioGroup>(form, "RadioGroup1")->title(), U("表現(&S)"));
  QCOMPARE(Child<QLineEdit>(form, "Edit1")->text(), U("【お知らせ】"));
  QCOMPARE(Child(form, "Button1")->isEnabled(), id_rule);
  QCOMPARE(Child(form, "Button2")->isEnabled(), same_id_rule);
  QCOMPARE(Child(form, "Edit1")->isEnabled(), title_rule);
  QCOMPARE(Child(form, "RadioGroup1")->isEnabled(), title_rule);
  QCOMPARE(Child<QPushButton>(form, "Button1")->text(), U("集計除外設定"));
  QCOMPARE(Child<QPushButton>(form, "Button2")->text(), U("同一視IDの設定"));
  QCOMPARE(Child<QPushButton>(form, "BitBtn2")->text(), U("&CANCEL"));
}

void TestTOmittMesForm::switchesEnableTheirControls() {
  ExclusionRules rules;
  TOmittMesForm form(rules, &owner_);
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  Child<QCheckBox>(form, "CheckBox1")->click();
  QVERIFY(Child(form, "Button1")->isEnabled());
  QCOMPARE(QApplication::focusWidget(), Child(form, "Button1"));
  Child<QCheckBox>(form, "CheckBox3")->click();
  QVERIFY(Child(form, "Button2")->isEnabled());
  QCOMPARE(QApplication::focusWidget(), Child(form, "Button2"));
  Child<QCheckBox>(form, "CheckBox2")->click();
  QVERIFY(Child(form, "Edit1")->isEnabled() && Child(form, "RadioGroup1")->isEnabled());
  Child<QCheckBox>(form, "CheckBox1")->click();
  Child<QCheckBox>(form, "CheckBox2")->click();
  QVERIFY(!Child(form, "Button1")->isEnabled());
  QVERIFY(!Child(form, "Edit1")->isEnabled() && !Child(form, "RadioGroup1")->isEnabled());
  form.reject();
}

void TestTOmittMesForm::editedListsOnOk_data() {
  QTest::addColumn<bool>("pairs");
  QTest::addColumn<bool>("switch_on");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<Lines>("in_force");
  QTest::newRow("excluded IDs, sorted, notes dropped")
      << false << true << U("XYZ00001\nABC00001 主催者\n") << Lines{"ABC00001", "XYZ00001"};
  QTest::newRow("excluded IDs, switch off: list unchanged")
      << false << false << U("XYZ00001\n") << Lines{"OLD00001"};
  QTest::newRow("pairs, sorted")
      << true << true << U("XYZ00001,ABC00009 旧ID\nABC00001,ABC00002\nABC00001,ABC00003")
      << Lines{"ABC00001,ABC00002", "ABC00001,ABC00003", "XYZ00001,ABC00009"};
  QTest::newRow("pairs, an empty editor empties the list") << true << true << QString("") << Lines{};
}

void TestTOmittMesForm::editedListsOnOk() {
  QFETCH(bool, pairs);
  QFETCH(bool, switch_on);
  QFETCH(QString, typed);
  QFETCH(Lines, in_force);
  ExclusionRules rules;
  rules.ExcludedIds = {"OLD00001"};
  rules.SameIdPairs = {"OLD00001,OLD00002"};
  TOmittMesForm form(rules, &owner_);
  form.show();
  Child<QCheckBox>(form, pairs ? "CheckBox3" : "CheckBox1")->click();
  EditorSeen seen;
  ModalScript script;
  script.Then<TIDSetForm>(Edit(seen, typed, "BitBtn1"));
  Child<QPushButton>(form, pairs ? "Button2" : "Button1")->click();
  QVERIFY(script.Done());
  QCOMPARE(seen.caption, pairs ? U("同一視IDの設定") : U("除外ＩＤの設定"));
  QCOMPARE(seen.hint, pairs ? U("集計時に同一視するIDの設定：<主ID>,<同一視ID>")
                            : U("ログの読み込み時に集計から除外するIDを1行に一つ記載"));
  QCOMPARE(seen.text, pairs ? U("OLD00001,OLD00002\n") : U("OLD00001\n"));
  if (!switch_on) Child<QCheckBox>(form, pairs ? "CheckBox3" : "CheckBox1")->click();
  Child<QPushButton>(form, "BitBtn1")->click();
  QVERIFY(!form.isVisible());
  QCOMPARE(form.result(), int(QDialog::Accepted));
  QCOMPARE(pairs ? rules.SameIdPairs : rules.ExcludedIds, in_force);
  QCOMPARE(pairs ? rules.same_id_rule : rules.id_rule, switch_on);
}

void TestTOmittMesForm::invalidLinesShowTheEditorAgain_data() {
  QTest::addColumn<bool>("pairs");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("message");
  QTest::newRow("lower-case ID") << false << U("ABC00001\nabc00002") << U("NIFTY IDでない文字列があります");
  QTest::newRow("empty line") << false << U("ABC00001\n\nABC00002") << U("NIFTY IDでない文字列があります");
  QTest::newRow("alias is a main ID")
      << true << U("ABC00001,ABC00002\nABC00002,ABC00004")
      << U("IDに重複があるか、NIFTY IDでない文字列があります");
  QTest::newRow("maps to itself") << true << U("ABC00001,ABC00001")
                                  << U("IDに重複があるか、NIFTY IDでない文字列があります");
}

void TestTOmittMesForm::invalidLinesShowTheEditorAgain() {
  QFETCH(bool, pairs);
  QFETCH(QString, typed);
  QFETCH(QString, message);
  ExclusionRules rules;
  rules.id_rule = rules.same_id_rule = true;
  rules.ExcludedIds = {"OLD00001"};
  rules.SameIdPairs = {"OLD00001,OLD00002"};
  TOmittMesForm form(rules, &owner_);
  form.show();
  EditorSeen first, again;
  QString shown;
  ModalScript script;
  script.Then<TIDSetForm>(Edit(first, typed, "BitBtn1"))
      .Then<QMessageBox>(NoteText(&shown))
      .Then<TIDSetForm>(Edit(again, QString(), "BitBtn2"));
  Child<QPushButton>(form, pairs ? "Button2" : "Button1")->click();
  QVERIFY(script.Done());
  QCOMPARE(shown, message);
  QCOMPARE(again.text, typed);  // the user's text as left
  Child<QPushButton>(form, "BitBtn1")->click();
  QCOMPARE(rules.ExcludedIds, Lines{"OLD00001"});
  QCOMPARE(rules.SameIdPairs, Lines{"OLD00001,OLD00002"});
}

void TestTOmittMesForm::cancelKeepsTheListsInForce() {
  ExclusionRules rules;
  rules.ExcludedIds = {"OLD00001"};
  rules.title_text = "abc";
  rules.LineMatcher2.SetRegExp("abc");
  TOmittMesForm form(rules, &owner_);
  form.show();
  Child<QCheckBox>(form, "CheckBox1")->click();
  Child<QCheckBox>(form, "CheckBox2")->click();
  Child<QLineEdit>(form, "Edit1")->setText(U("xyz"));
  EditorSeen seen;
  ModalScript script;
  script.Then<TIDSetForm>(Edit(seen, U("NEW00001"), "BitBtn1"));
  Child<QPushButton>(form, "Button1")->click();
  QVERIFY(script.Done());
  Child<QPushButton>(form, "BitBtn2")->click();
  QCOMPARE(form.result(), int(QDialog::Rejected));
  QCOMPARE(rules.ExcludedIds, Lines{"OLD00001"});
  QVERIFY(rules.LineMatcher2.IsMatch("abc") && !rules.LineMatcher2.IsMatch("xyz"));
  // However the dialog closes, the switches and the title text are kept.
  QVERIFY(rules.id_rule && rules.title_rule);
  QCOMPARE(rules.title_text, std::string("xyz"));
  // The next opening starts from the lists in force.
  form.show();
  script.Then<TIDSetForm>(Edit(seen, QString(), "BitBtn2"));
  Child<QPushButton>(form, "Button1")->click();
  QVERIFY(script.Done());
  QCOMPARE(seen.text, U("OLD00001\n"));
  form.reject();
}

void TestTOmittMesForm::titlePatternOnOk_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<int>("mode");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("matches");
  QTest::addColumn<QString>("misses");
  QTest::newRow("valid pattern") << U("^Re:") << 0 << QString() << U("Re:abc") << U("abc");
  QTest::newRow("invalid pattern: the one at opening back")
      << U("(") << 0 << U("正規表現が不正です") << U("xabcx") << U("(");
  QTest::newRow("prefix mode sets no pattern") << U("(") << 1 << QString() << U("abc") << U("(");
}

void TestTOmittMesForm::titlePatternOnOk() {
  QFETCH(QString, typed);
  QFETCH(int, mode);
  QFETCH(QString, message);
  QFETCH(QString, matches);
  QFETCH(QString, misses);
  ExclusionRules rules;
  rules.title_text = "abc";
  rules.LineMatcher2.SetRegExp("abc");
  TOmittMesForm form(rules, &owner_);
  form.show();
  Child<QCheckBox>(form, "CheckBox2")->click();
  Child<TRadioGroup>(form, "RadioGroup1")->SetItemIndex(mode);
  Child<QLineEdit>(form, "Edit1")->setText(typed);
  QString shown;
  ModalScript script;
  if (!message.isEmpty()) script.Then<QMessageBox>(NoteText(&shown));
  Child<QPushButton>(form, "BitBtn1")->click();
  QVERIFY(script.Done());
  QCOMPARE(shown, message);
  QVERIFY(!form.isVisible());  // closes in every case
  QCOMPARE(FromCp932(rules.title_text), typed);
  QCOMPARE(int(rules.title_mode), mode);
  QVERIFY(rules.LineMatcher2.IsMatch(ToCp932(matches)));
  QVERIFY(!rules.LineMatcher2.IsMatch(ToCp932(misses)));
}

void TestTOmittMesForm::pairEditorKeepsItsOwnFiles() {
  ExclusionRules rules;
  rules.id_rule = rules.same_id_rule = true;
  TOmittMesForm form(rules, &owner_);
  form.show();
  const IdListFiles ids{std::filesystem::path("/lists/ids.LST"), std::nullopt};
  const IdListFiles pairs{std::filesystem::path("/lists/pairs.LST"), std::filesystem::path("/lists/p2.LST")};
  IdListFiles seen_by_ids, seen_by_pairs;
  auto open_with = [](IdListFiles& seen, const IdListFiles& opened) {
    return [&seen, opened](TIDSetForm* editor) {
      seen = editor->Files();
      editor->SetFiles(opened);  // as the user's open and save dialogs leave them
      editor->reject();
    };
  };
  ModalScript script;
  script.Then<TIDSetForm>(open_with(seen_by_ids, ids))
      .Then<TIDSetForm>(open_with(seen_by_pairs, pairs))
      .Then<TIDSetForm>(open_with(seen_by_pairs, {}))
      .Then<TIDSetForm>(open_with(seen_by_ids, ids));
  Child<QPushButton>(form, "Button1")->click();
  Child<QPushButton>(form, "Button2")->click();
  QCOMPARE(seen_by_pairs, IdListFiles{});  // not the excluded IDs' file
  Child<QPushButton>(form, "Button2")->click();
  QCOMPARE(seen_by_pairs, pairs);  // its own, kept between showings
  form.IdEditor().SetFiles(ids);
  Child<QPushButton>(form, "Button1")->click();
  QCOMPARE(seen_by_ids, IdListFiles{});  // cleared for the excluded IDs
  QVERIFY(script.Done());
  form.reject();
}

QTEST_MAIN(TestTOmittMesForm)
#include "tst_tomittmesform.moc"
