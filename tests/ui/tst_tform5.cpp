// Tests of the log processing dialog: its defaults and controls on showing,
// the number fields and the range display, the input and output files, the
// run after OK with its account in the caller's view, its refusals, and
// the log information.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <fstream>
#include <sstream>

#include "dialog_checks.h"
#include "modal_script.h"
#include "output/log_information.h"
#include "support/sjis.h"
#include "ui/widgets/dialog_support.h"
#include "ui/dialogs/process_form.h"
#include "ui/widgets/radio_group.h"
#include "ui/dialogs/text_file_dialog.h"

using namespace tobrel;
using tobrel::testing::ChooseFile;
using tobrel::testing::Child;
using tobrel::testing::ModalScript;
using tobrel::testing::NoteText;
using tobrel::testing::ReadAll;
using tobrel::testing::S;

namespace {

const std::string kLog =
    "00012/00020 ABC01234  taro             Hello\r\n( 1)   99/12/31 23:59\r\n" + S("本文") +
    "\r\n003/020   ABC01234  taro             Three\r\n( 1)   00/01/01 00:01\r\n";

class Recorder final : public ProcessObserver {
 public:
  void ClearResult() override { lines.clear(); }
  void AppendResultLine(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

// Drops `file` onto the output field as a file manager would.
void DropFile(TForm5& form, const QString& file) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(file)});
  QWidget* field = Child(form, "StaticText1");
  QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(field, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(field, &drop);
}

}  // namespace

class TestTForm5 : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void defaultsOnShowing();
  void numberFieldsOnLeaving_data();
  void numberFieldsOnLeaving();
  void rangeKind();
  void inputListAndAddedFile();
  void okRunsTheProcessing_data();
  void okRunsTheProcessing();
  void refusals_data();
  void refusals();
  void logInformation();

 private:
  QWidget owner_;
  QTemporaryDir dir_;
  FixedClock clock_{*EncodeDateTime({2026, 12, 10, 15, 30, 0})};
  std::string log_;
};

void TestTForm5::initTestCase() {
  owner_.setGeometry(20, 30, 1000, 750);
  owner_.show();
  QVERIFY(dir_.isValid());
  log_ = dir_.filePath(U("room.LOG")).toStdString();
  std::ofstream(log_, std::ios::binary) << kLog;
}

void TestTForm5::defaultsOnShowing() {
  TForm5 form(clock_, &owner_);
  form.SetInputFiles({"/logs/b.log", "/logs/A.log"});
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  QCOMPARE(form.windowTitle(), U("Tobrel ログ加工出力 設定"));
  QCOMPARE(form.pos(), CenteredTopLeft(owner_.frameGeometry(), form.frameGeometry().size()));
  auto* inputs = Child<QComboBox>(form, "ComboBox1");
  QCOMPARE(inputs->count(), 2);
  QCOMPARE(inputs->itemText(0), U("/logs/A.log"));
  QCOMPARE(inputs->currentIndex(), -1);
  QCOMPARE(QApplication::focusWidget(), inputs);
  QCOMPARE(Child<QLabel>(form, "StaticText1")->text(), QString());
  QCOMPARE(Child<QLineEdit>(form, "MaskEdit1")->text(), U("65000"));
  QVERIFY(!Child(form, "MaskEdit1")->isEnabled());
  QCOMPARE(Child<QLineEdit>(form, "MaskEdit2")->text(), U("00001"));
  QCOMPARE(Child<QLineEdit>(form, "MaskEdit3")->text(), U("65000"));
  QVERIFY(Child(form, "MaskEdit2")->isEnabled() && !Child(form, "DateTimePicker1")->isEnabled());
  QCOMPARE(Child<QDateEdit>(form, "DateTimePicker1")->date(), QDate(2026, 12, 10));
  QCOMPARE(Child<QDateEdit>(form, "DateTimePicker2")->date(), QDate(2026, 12, 10));
  QCOMPARE(Child<QLabel>(form, "StaticText2")->text(), U("#00001 ～ #65000"));
  QCOMPARE(Child<TRadioGroup>(form, "RadioGroup2")->ItemIndex(), 0);
  QCOMPARE(Child<TRadioGroup>(form, "RadioGroup1")->ItemIndex(), 0);
  const struct {
    const char* name;
    const char* caption;
  } boxes[] = {{"CheckBox1", "最終発言番号を揃える(&N)"}, {"CheckBox2", "ﾃﾞﾘﾐﾀ(&D)"},
               {"CheckBox3", "&EOF"}, {"CheckBox4", "&TAB"}, {"CheckBox7", "行末のｽﾍﾟｰｽ(&S)"},
               {"CheckBox5", "ｺﾒﾝﾄ数の再計算(&R)"}, {"CheckBox6", "削除発言は出力しない(&X)"}};
  for (const auto& box : boxes) {
    QCOMPARE(Child<QCheckBox>(form, box.name)->text(), U(box.caption));
    QVERIFY(!Child<QCheckBox>(form, box.name)->isChecked());
  }
  QCOMPARE(Child<QPushButton>(form, "BitBtn2")->text(), U("ｷｬﾝｾﾙ(&N)"));
  QCOMPARE(Child<QPushButton>(form, "BitBtn3")->text(), U("ログの情報表示(&F)"));
  // Switching the alignment on enables its field and moves the focus there.
  Child<QCheckBox>(form, "CheckBox1")->click();
  QVERIFY(Child(form, "MaskEdit1")->isEnabled());
  QCOMPARE(QApplication::focusWidget(), Child(form, "MaskEdit1"));
  form.reject();
}

void TestTForm5::numberFieldsOnLeaving_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("left");
  QTest::addColumn<QString>("range");
  QTest::newRow("digits typed at the left") << U("MaskEdit2") << U("42") << U("00042") << U("#00042 ～ #65000");
  QTest::newRow("end 0 reset") << U("MaskEdit3") << U("0") << U("65000") << U("#00001 ～ #65000");
  QTest::newRow("start empty reset") << U("MaskEdit2") << QString() << U("00001") << U("#00001 ～ #65000");
  QTest::newRow("end typed") << U("MaskEdit3") << U("123") << U("00123") << U("#00001 ～ #00123");
  QTest::newRow("alignment above 65000") << U("MaskEdit1") << U("70000") << U("65000") << U("#00001 ～ #65000");
}

void TestTForm5::numberFieldsOnLeaving() {
  QFETCH(QString, field);
  QFETCH(QString, typed);
  QFETCH(QString, left);
  QFETCH(QString, range);
  TForm5 form(clock_, &owner_);
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  Child<QCheckBox>(form, "CheckBox1")->click();
  auto* edit = form.findChild<QLineEdit*>(field);
  edit->setFocus();
  edit->setText(QString());
  edit->setCursorPosition(0);
  QTest::keyClicks(edit, typed);
  QTest::keyClick(edit, Qt::Key_Tab);
  QCOMPARE(edit->text(), left);
  QCOMPARE(Child<QLabel>(form, "StaticText2")->text(), range);
  form.reject();
}

void TestTForm5::rangeKind() {
  TForm5 form(clock_, &owner_);
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  Child<QRadioButton>(form, "RadioGroup2Item1")->click();
  QVERIFY(!Child(form, "MaskEdit2")->isEnabled() && !Child(form, "MaskEdit3")->isEnabled());
  QVERIFY(Child(form, "DateTimePicker1")->isEnabled() && Child(form, "DateTimePicker2")->isEnabled());
  QVERIFY(Child(form, "DateTimePicker1")->hasFocus());
  QCOMPARE(Child<QLabel>(form, "StaticText2")->text(), U("26/12/10 ～ 26/12/10"));
  Child<QDateEdit>(form, "DateTimePicker1")->setDate(QDate(1999, 3, 4));
  QCOMPARE(Child<QLabel>(form, "StaticText2")->text(), U("99/03/04 ～ 26/12/10"));
  QCOMPARE(form.Settings().range, ProcessRangeKind::ByDate);
  QCOMPARE(form.Settings().first_date, *EncodeDateTime({1999, 3, 4}));
  Child<QRadioButton>(form, "RadioGroup2Item0")->click();
  QCOMPARE(Child<QLabel>(form, "StaticText2")->text(), U("#00001 ～ #65000"));
  QCOMPARE(QApplication::focusWidget(), Child(form, "MaskEdit2"));
  form.reject();
}

void TestTForm5::inputListAndAddedFile() {
  TForm5 form(clock_, &owner_);
  form.SetInputFiles({"/zz/last.log", "/aa/first.log"});
  form.show();
  ModalScript script;
  script.Then<TTextFileDialog>(ChooseFile(FromNative(log_)));
  Child<QPushButton>(form, "Button2")->click();
  QVERIFY(script.Done());
  auto* inputs = Child<QComboBox>(form, "ComboBox1");
  QCOMPARE(inputs->count(), 3);
  QCOMPARE(inputs->itemText(2), U("/zz/last.log"));
  QCOMPARE(inputs->currentText(), FromNative(log_));
  QCOMPARE(form.Settings().input, log_);
  // The next opening gets the window's list afresh and an empty output field.
  DropFile(form, U("/out/x.log"));
  QCOMPARE(form.Settings().output, std::string("/out/x.log"));
  form.reject();
  form.SetInputFiles({"/aa/first.log"});
  QCOMPARE(inputs->count(), 1);
  QCOMPARE(form.Settings().output, std::string());
  QCOMPARE(Child<QLabel>(form, "StaticText1")->text(), QString());
}

void TestTForm5::okRunsTheProcessing_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<int>("result");
  QTest::newRow("OK") << U("BitBtn1") << int(QDialog::Accepted);
  QTest::newRow("Cancel") << U("BitBtn2") << int(QDialog::Rejected);
}

void TestTForm5::okRunsTheProcessing() {
  QFETCH(QString, button);
  QFETCH(int, result);
  const std::string output = dir_.filePath(U("processed%1.LOG").arg(result)).toStdString();
  TForm5 form(clock_, &owner_);
  form.SetInputFiles({log_});
  ModalScript script;
  script
      .Then<TForm5>([](TForm5* shown) {
        Child<QComboBox>(*shown, "ComboBox1")->setCurrentIndex(0);
        Child<QPushButton>(*shown, "Button1")->click();  // "参照"
      })
      .Then<TTextFileDialog>([&output](TTextFileDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), U("加工したﾛｸﾞの出力先の指定"));
        QCOMPARE(dialog->directory().absolutePath(), QDir::home().absolutePath());  // first use
        ChooseFile(FromNative(output))(dialog);
      })
      .Then<TForm5>([&button](TForm5* shown) {
        QCOMPARE(Child<QLabel>(*shown, "StaticText1")->text(), FromNative(shown->Settings().output));
        shown->findChild<QPushButton*>(button)->click();
      });
  // Steps 1 and 3 act on the same dialog: let the file dialog close between them.
  const int closed = form.exec();
  QCOMPARE(closed, result);
  QVERIFY(script.Done());
  QCOMPARE(form.Settings().output, output);
  if (closed != QDialog::Accepted) {  // the window runs nothing
    QVERIFY(!QFile::exists(FromNative(output)));
    return;
  }
  Recorder view;
  const ProcessResult run = form.ProcessLogOutput(view);
  QCOMPARE(run.status, ProcessStatus::Done);
  QCOMPARE(ReadAll(output), kLog);  // the whole range, no option: every posting as it was
  std::vector<std::string> expected = ProcessAccountLines(form.Settings());
  expected.push_back("");
  expected.push_back(S(".....終了！"));
  QCOMPARE(view.lines, expected);
  QCOMPARE(view.lines.front(), ToCp932(FromNative(log_)) + S(" を"));
}

void TestTForm5::refusals_data() {
  QTest::addColumn<bool>("input");
  QTest::addColumn<QString>("output");
  QTest::addColumn<QString>("message");
  QTest::newRow("no input") << false << U("/tmp/x.LOG") << U("入力ﾛｸﾞﾌｧｲﾙ名が指定されていません");
  QTest::newRow("no output") << true << QString() << U("出力先が指定されていません");
  QTest::newRow("output is the input") << true << U("(input)") << U("入力ログﾌｧｲﾙ名と出力先が同じです");
}

void TestTForm5::refusals() {
  QFETCH(bool, input);
  QFETCH(QString, output);
  QFETCH(QString, message);
  TForm5 form(clock_, &owner_);
  form.SetInputFiles({log_});
  form.show();
  if (input) Child<QComboBox>(form, "ComboBox1")->setCurrentIndex(0);
  if (!output.isEmpty()) DropFile(form, output == U("(input)") ? FromNative(log_) : output);
  form.accept();
  QString shown;
  ModalScript script;
  script.Then<QMessageBox>(NoteText(&shown));
  Recorder view;
  view.lines = {"kept"};
  QCOMPARE(form.ProcessLogOutput(view).status, ProcessStatus::Refused);
  QVERIFY(script.Done());
  QCOMPARE(shown, message);
  QCOMPARE(view.lines, std::vector<std::string>{"kept"});  // the result view is not touched
  QCOMPARE(ReadAll(log_), kLog);
}

void TestTForm5::logInformation() {
  TForm5 form(clock_, &owner_);
  form.SetInputFiles({log_});
  form.show();
  {
    ModalScript script;  // nothing chosen: nothing happens
    QString shown;
    script.Then<QMessageBox>(NoteText(&shown));
    Child<QPushButton>(form, "BitBtn3")->click();
    QTest::qWait(50);
    QVERIFY(!script.Done());
  }
  Child<QComboBox>(form, "ComboBox1")->setCurrentIndex(0);
  QString shown;
  ModalScript script;
  script.Then<QMessageBox>(NoteText(&shown));
  Child<QPushButton>(form, "BitBtn3")->click();
  QVERIFY(script.Done());
  QStringList expected;
  for (const std::string& line : LogInformationLines(log_)) expected << FromCp932(line);
  QCOMPARE(shown, expected.join('\n'));
  QVERIFY(shown.contains(U("2 Articles")));
  form.reject();
}

QTEST_MAIN(TestTForm5)
#include "tst_tform5.moc"
