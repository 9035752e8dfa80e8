// Tests of the ID list editor: what the caller sets and reads back, OK and
// Cancel, and loading and saving list files through its file dialogs.
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <sstream>

#include "dialog_checks.h"
#include "modal_script.h"
#include "support/sjis.h"
#include "ui/widgets/dialog_support.h"
#include "ui/dialogs/id_set_form.h"
#include "ui/dialogs/text_file_dialog.h"

using namespace tobrel;
using tobrel::testing::ChooseFile;
using tobrel::testing::ModalScript;
using tobrel::testing::NoteText;
using tobrel::testing::ReadAll;
using tobrel::testing::S;
using Lines = std::vector<std::string>;

Q_DECLARE_METATYPE(Lines)

namespace {

void WriteAll(const QString& path, const std::string& bytes) {
  std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

QPlainTextEdit* Memo(TIDSetForm& form) { return form.findChild<QPlainTextEdit*>("Memo1"); }

void Trigger(TIDSetForm& form, const char* action) { form.findChild<QAction*>(action)->trigger(); }

}  // namespace

class TestTIDSetForm : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void centredOverOwner_data();
  void centredOverOwner();
  void shownAsTheCallerSetsIt();
  void linesOfTheText_data();
  void linesOfTheText();
  void okAndCancel_data();
  void okAndCancel();
  void openSaveAndSaveAs();
  void saveAsExtensionFollowsTheFilter_data();
  void saveAsExtensionFollowsTheFilter();
  void unwritableFileKeepsTheText();

 private:
  QWidget owner_;
  QTemporaryDir dir_;
};

void TestTIDSetForm::initTestCase() {
  owner_.setGeometry(100, 80, 600, 500);
  owner_.show();
  QVERIFY(dir_.isValid());
}

void TestTIDSetForm::centredOverOwner_data() {
  QTest::addColumn<QRect>("owner");
  QTest::addColumn<QSize>("dialog");
  QTest::addColumn<QPoint>("expected");
  QTest::newRow("even") << QRect(100, 80, 600, 500) << QSize(300, 200) << QPoint(250, 230);
  QTest::newRow("odd halves toward zero") << QRect(0, 0, 601, 501) << QSize(300, 200) << QPoint(150, 150);
  QTest::newRow("wider than the owner") << QRect(10, 10, 200, 100) << QSize(301, 203) << QPoint(-40, -41);
}

void TestTIDSetForm::centredOverOwner() {
  QFETCH(QRect, owner);
  QFETCH(QSize, dialog);
  QFETCH(QPoint, expected);
  QCOMPARE(CenteredTopLeft(owner, dialog), expected);
}

void TestTIDSetForm::shownAsTheCallerSetsIt() {
  TIDSetForm form(&owner_);
  form.SetTexts(ExcludedIdEditorTexts());
  form.SetLines({"ABC00001", "XYZ00002"});
  form.show();
  QCOMPARE(form.windowTitle(), U("除外ＩＤの設定"));
  QCOMPARE(Memo(form)->toolTip(), U("ログの読み込み時に集計から除外するIDを1行に一つ記載"));
  QCOMPARE(Memo(form)->toPlainText(), U("ABC00001\nXYZ00002\n"));
  QCOMPARE(form.pos(), CenteredTopLeft(owner_.frameGeometry(), form.frameGeometry().size()));
  QCOMPARE(form.findChild<QPushButton*>("BitBtn1")->text(), U("&OK"));
  QCOMPARE(form.findChild<QPushButton*>("BitBtn1")->toolTip(), U("これで設定"));
  QCOMPARE(form.findChild<QPushButton*>("BitBtn2")->text(), U("&Cancel"));
  QCOMPARE(form.findChild<QPushButton*>("BitBtn2")->toolTip(), U("キャンセル"));
  const QStringList menu = {U("新規作成(&N)"), U("開く(&O)..."), U("上書き保存(&S)"),
                            U("名前をつけて保存(&A)..."), U("切り取り(&T)"), U("コピー(&C)"),
                            U("貼り付け(&P)")};
  const char* names[] = {"New1", "Open1", "Save1", "SaveAs1", "Cut1", "Copy1", "Paste1"};
  for (int i = 0; i < menu.size(); ++i) QCOMPARE(form.findChild<QAction*>(names[i])->text(), menu[i]);
  QCOMPARE(form.findChild<QAction*>("Paste1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));
}

void TestTIDSetForm::linesOfTheText_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<Lines>("lines");
  QTest::newRow("empty") << QString() << Lines{};
  QTest::newRow("one empty line") << U("\n") << Lines{""};
  QTest::newRow("last line without end") << U("ABC00001\nABC00002") << Lines{"ABC00001", "ABC00002"};
  QTest::newRow("Japanese note") << U("ABC00001 主催者\n") << Lines{S("ABC00001 主催者")};
}

void TestTIDSetForm::linesOfTheText() {
  QFETCH(QString, text);
  QFETCH(Lines, lines);
  TIDSetForm form;
  Memo(form)->setPlainText(text);
  QCOMPARE(form.Lines(), lines);
}

void TestTIDSetForm::okAndCancel_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<int>("result");
  QTest::newRow("OK") << U("BitBtn1") << int(QDialog::Accepted);
  QTest::newRow("Cancel") << U("BitBtn2") << int(QDialog::Rejected);
}

void TestTIDSetForm::okAndCancel() {
  QFETCH(QString, button);
  QFETCH(int, result);
  TIDSetForm form(&owner_);
  form.SetLines({"ABC00001"});
  ModalScript script;
  script.Then<TIDSetForm>([&](TIDSetForm* shown) {
    Memo(*shown)->moveCursor(QTextCursor::End);
    Memo(*shown)->insertPlainText(U("XYZ00009"));
    shown->findChild<QPushButton*>(button)->click();
  });
  QCOMPARE(form.exec(), result);
  QVERIFY(script.Done());
  QCOMPARE(form.Lines(), (Lines{"ABC00001", "XYZ00009"}));  // the caller decides what to take
}

void TestTIDSetForm::openSaveAndSaveAs() {
  const QString opened = dir_.filePath(U("除外.LST"));
  const QString copy = dir_.filePath(U("copy.LST"));
  WriteAll(opened, "ABC00001\nABC00002 " + S("主催者") + "\n");
  TIDSetForm form(&owner_);
  form.SetLines({"XYZ00001"});
  {
    ModalScript script;
    script.Then<TTextFileDialog>(ChooseFile(opened));
    Trigger(form, "Open1");
    QVERIFY(script.Done());
  }
  QCOMPARE(form.Lines(), (Lines{"ABC00001", "ABC00002 " + S("主催者")}));
  QCOMPARE(FromNative(form.Files().current->string()), opened);

  // "名前をつけて保存": a new file; the current file stays.
  Memo(form)->moveCursor(QTextCursor::End);
  Memo(form)->insertPlainText(U("ABC00003"));
  {
    ModalScript script;
    script.Then<TTextFileDialog>(ChooseFile(copy));
    Trigger(form, "SaveAs1");
    QVERIFY(script.Done());
  }
  QCOMPARE(ReadAll(copy.toStdString()), "ABC00001\r\nABC00002 " + S("主催者") + "\r\nABC00003\r\n");
  QCOMPARE(FromNative(form.Files().current->string()), opened);

  // "新規作成" empties the text and keeps the file; "上書き保存" writes to the
  // file that was opened, without asking.
  Trigger(form, "New1");
  QCOMPARE(form.Lines(), Lines{});
  Memo(form)->setPlainText(U("QQQ00001"));
  Trigger(form, "Save1");
  QCOMPARE(ReadAll(opened.toStdString()), std::string("QQQ00001\r\n"));

  // Without an opened file, "上書き保存" asks for a name.
  form.ForgetFile();
  const QString asked = dir_.filePath(U("asked.LST"));
  {
    ModalScript script;
    script.Then<TTextFileDialog>(ChooseFile(asked));
    Trigger(form, "Save1");
    QVERIFY(script.Done());
  }
  QCOMPARE(ReadAll(asked.toStdString()), std::string("QQQ00001\r\n"));
  QVERIFY(!form.Files().current);
}

void TestTIDSetForm::saveAsExtensionFollowsTheFilter_data() {
  QTest::addColumn<int>("filter");
  QTest::addColumn<QString>("written");
  QTest::newRow("(*.LST)") << 0 << U("list0.LST");
  QTest::newRow("(*.TXT)") << 1 << U("list1.TXT");
  QTest::newRow("all files") << 2 << U("list2");
}

void TestTIDSetForm::saveAsExtensionFollowsTheFilter() {
  QFETCH(int, filter);
  QFETCH(QString, written);
  TIDSetForm form(&owner_);
  form.SetLines({"ABC00001"});
  ModalScript script;
  script.Then<TTextFileDialog>(ChooseFile(dir_.filePath(U("list%1").arg(filter)), filter));
  Trigger(form, "SaveAs1");
  QVERIFY(script.Done());
  QCOMPARE(ReadAll(dir_.filePath(written).toStdString()), std::string("ABC00001\r\n"));
}

void TestTIDSetForm::unwritableFileKeepsTheText() {
  // No folder where the list is to be written: which file and why, the text stays.
  TIDSetForm form(&owner_);
  form.SetLines({"ABC00001"});
  form.SetFiles({dir_.path().toStdString() + "/missing/list.LST", std::nullopt});
  QString message;
  ModalScript script;
  script.Then<QMessageBox>(NoteText(&message));
  Trigger(form, "Save1");
  QVERIFY(script.Done());
  QCOMPARE(message, dir_.path() + U("/missing/list.LST に書き込めません\nフォルダが見つかりません"));
  QCOMPARE(form.Lines(), Lines{"ABC00001"});
}

QTEST_MAIN(TestTIDSetForm)
#include "tst_tidsetform.moc"
