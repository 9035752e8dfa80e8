// The small widgets of the window and its dialogs: the placement of
// dialogs, their message box, the number field, the text preview and the
// file dialogs that show it, the blinking and multi-line labels, the
// version window.
#include <sys/stat.h>

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QPushButton>
#include <QTest>

#include "core/target_range_fields.h"
#include "modal_script.h"
#include "support/sjis.h"
#include "support/temp_folder.h"
#include "ui/dialogs/about_box.h"
#include "ui/widgets/blink_label.h"
#include "ui/widgets/dialog_support.h"
#include "ui/widgets/multi_line_label.h"
#include "ui/widgets/number_edit.h"
#include "ui/dialogs/text_file_dialog.h"
#include "ui/widgets/text_preview.h"

using namespace tobrel;
using tobrel::testing::S;
using tobrel::testing::TempFolder;

class TestPeriphery : public QObject {
  Q_OBJECT

 private slots:
  void centredTopLeft_data();
  void centredTopLeft();
  void keptOnScreen_data();
  void keptOnScreen();
  void dialogsOverAWindowAtTheScreensEdgeStayOnIt();
  void numberFieldTakesDigitsOnly();
  void previewText_data();
  void previewText();
  void previewOfWhatIsNoTextFile();
  void fileDialogFiltersAndPreview();
  void messageTextLines_data();
  void messageTextLines();
  void blinkLabelBlinksAndStops();
  void multiLineLabelBreaksLines();
  void aboutBox();
};

void TestPeriphery::centredTopLeft_data() {
  QTest::addColumn<QRect>("owner");
  QTest::addColumn<QSize>("dialog");
  QTest::addColumn<QPoint>("expected");
  QTest::newRow("even") << QRect(100, 50, 800, 600) << QSize(400, 300) << QPoint(300, 200);
  QTest::newRow("odd halves drop") << QRect(100, 50, 801, 601) << QSize(400, 300)
                                   << QPoint(300, 200);
  // A dialog bigger than its owner: -101 / 2 is -50, not -51.
  QTest::newRow("negative halves toward zero") << QRect(10, 20, 300, 200) << QSize(401, 303)
                                               << QPoint(-40, -31);
  QTest::newRow("owner off screen") << QRect(-500, -400, 100, 100) << QSize(51, 51)
                                    << QPoint(-476, -376);
}

void TestPeriphery::centredTopLeft() {
  QFETCH(QRect, owner);
  QFETCH(QSize, dialog);
  QFETCH(QPoint, expected);
  QCOMPARE(CenteredTopLeft(owner, dialog), expected);
}

void TestPeriphery::keptOnScreen_data() {
  QTest::addColumn<QPoint>("top_left");
  QTest::addColumn<QSize>("frame");
  QTest::addColumn<QPoint>("expected");
  // The screen is 1000 x 700 at (100, 50), as a second screen may be.
  QTest::newRow("inside stays") << QPoint(300, 200) << QSize(400, 300) << QPoint(300, 200);
  QTest::newRow("touching the corner stays") << QPoint(700, 450) << QSize(400, 300)
                                             << QPoint(700, 450);
  QTest::newRow("beyond right and bottom") << QPoint(900, 600) << QSize(400, 300)
                                           << QPoint(700, 450);
  QTest::newRow("before left and top") << QPoint(-50, 0) << QSize(400, 300) << QPoint(100, 50);
  QTest::newRow("larger than the screen: top left corner")
      << QPoint(600, 500) << QSize(1200, 800) << QPoint(100, 50);
}

void TestPeriphery::keptOnScreen() {
  QFETCH(QPoint, top_left);
  QFETCH(QSize, frame);
  QFETCH(QPoint, expected);
  QCOMPARE(KeptOnScreen(top_left, frame, QRect(100, 50, 1000, 700)), expected);
}

// A window hanging over the screen's bottom right corner: the dialogs it
// opens, centred or at an offset from it, and one larger than the screen,
// end up wholly on the screen.
void TestPeriphery::dialogsOverAWindowAtTheScreensEdgeStayOnIt() {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget main;
  main.setGeometry(screen.right() - 150, screen.bottom() - 100, 400, 300);
  main.show();
  TAboutBox box(&main);
  box.show();
  QVERIFY(screen.contains(box.frameGeometry()));
  QCOMPARE(box.frameGeometry().bottomRight(), screen.bottomRight());

  // A message box sizes itself to its text only as it shows.
  QMessageBox message(QMessageBox::Information, U("題"), U("本文").repeated(40),
                      QMessageBox::Ok, &main);
  PlaceWhenShown(&message, [&main] { return main.pos() + QPoint(50, 50); });
  message.show();
  QVERIFY(screen.contains(message.frameGeometry()));

  TTextFileDialog files(TTextFileDialog::Kind::Open, U("開く"), &main);
  files.resize(screen.width() + 300, screen.height() / 2);
  files.show();
  QVERIFY(screen.contains(files.frameGeometry()));
  QCOMPARE(files.frameGeometry().width(), screen.width());
}

void TestPeriphery::numberFieldTakesDigitsOnly() {
  QWidget window;
  // The end field of the number range.
  const auto end_rule = [](std::string_view text) { return NumberFieldOnExit(text, false); };
  auto* field = new TSaNumEdit(end_rule, QString(), &window);
  auto* other = new TSaNumEdit(end_rule, QStringLiteral("1"), &window);
  window.show();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  field->setFocus();
  for (const QChar c : U("1a2-3 ４4567"))
    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
  QCOMPARE(field->text(), U("123456"));  // six digits at most
  // Leaving the field puts the default in place of a value out of range.
  other->setFocus();
  QCOMPARE(field->text(), U("65000"));
  field->setFocus();
  field->clear();
  QTest::keyClick(field, Qt::Key_Return);
  QCOMPARE(field->text(), U("65000"));
  field->setText(QStringLiteral("00042"));
  other->setFocus();
  QCOMPARE(field->text(), U("00042"));
}

void TestPeriphery::previewText_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<int>("max_lines");
  QTest::addColumn<int>("max_bytes");
  QTest::addColumn<QString>("expected");
  // How lines are cut is tested with PreviewLines; here what the file
  // gives and the conversion.
  const QByteArray sjis = QByteArray::fromStdString(S("会議室\r\n発言\r\n"));
  QTest::newRow("Shift-JIS, CR LF") << sjis << 40 << 1000 << U("会議室\n発言");
  QTest::newRow("first lines only") << sjis << 1 << 1000 << U("会議室");
  QTest::newRow("a character cut by the byte limit is dropped")
      << QByteArray::fromStdString(S("ab会")) << 40 << 3 << U("ab");
  QTest::newRow("a lead byte alone") << QByteArray("\x83\r\nx") << 40 << 1000 << U("\uFFFD\nx");
  QTest::newRow("vendor characters") << QByteArray::fromStdString(S("～①")) << 40 << 1000
                                     << U("～①");
  QTest::newRow("empty file") << QByteArray() << 40 << 1000 << QString();
}

void TestPeriphery::previewText() {
  QFETCH(QByteArray, bytes);
  QFETCH(int, max_lines);
  QFETCH(int, max_bytes);
  QFETCH(QString, expected);
  const TempFolder folder("tobrel-preview-test");
  const std::string path = folder.Write("file.log", bytes.toStdString());
  QCOMPARE(PreviewText(path, max_lines, max_bytes), expected);
}

void TestPeriphery::previewOfWhatIsNoTextFile() {
  const TempFolder folder("tobrel-preview-test");
  const std::string fifo = (folder.path() / "pipe").string();
  QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
  QCOMPARE(PreviewText(fifo), QString());  // not read: that would block
  QCOMPARE(PreviewText(folder.path().string()), QString());
  QCOMPARE(PreviewText((folder.path() / "missing").string()), QString());
  QCOMPARE(PreviewText(""), QString());
}

void TestPeriphery::fileDialogFiltersAndPreview() {
  const QString filter = U("ログファイル(*.LOG)|*.LOG|テキストファイル(*.TXT)|*.TXT|"
                           "すべてのファイル(*.*)|*.*");
  QCOMPARE(NameFiltersOf(filter),
           (QStringList{U("ログファイル(*.LOG) (*.LOG)"), U("テキストファイル(*.TXT) (*.TXT)"),
                        U("すべてのファイル(*.*) (*)")}));
  QCOMPARE(NameFiltersOf(U("(*.LOG;*.TXT)|*.LOG;*.TXT|odd")), QStringList{U("(*.LOG;*.TXT) (*.LOG *.TXT)")});

  TTextFileDialog dialog(TTextFileDialog::Kind::Open, U("ログファイルの選択"));
  dialog.SetFilter(filter, {"LOG", "TXT", ""});
  QCOMPARE(dialog.windowTitle(), U("ログファイルの選択"));
  QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
  // The patterns for Qt are not shown.
  QCOMPARE(dialog.selectedNameFilter(), U("ログファイル(*.LOG)"));
  QCOMPARE(dialog.defaultSuffix(), U("LOG"));
  dialog.SelectFilterIndex(1);
  QCOMPARE(dialog.defaultSuffix(), U("TXT"));
  emit dialog.filterSelected(NameFiltersOf(filter)[2]);
  QCOMPARE(dialog.defaultSuffix(), QString());
  emit dialog.filterSelected(U("テキストファイル(*.TXT)"));
  QCOMPARE(dialog.defaultSuffix(), U("TXT"));

  const TempFolder folder("tobrel-file-dialog-test");
  const std::string path = folder.Write("mes.log", S("■ 会議室\r\n二行目\r\n"));
  emit dialog.currentChanged(QString::fromStdString(path));
  QCOMPARE(dialog.Preview()->toPlainText(), U("■ 会議室\n二行目"));
  QVERIFY(dialog.Preview()->isReadOnly());
  emit dialog.currentChanged(QString::fromStdString(folder.path().string()));
  QCOMPARE(dialog.Preview()->toPlainText(), QString());
  dialog.setDirectory(QString::fromStdString(folder.path().string()));
  dialog.selectFile(QStringLiteral("mes.log"));
  QCOMPARE(dialog.selectedFiles(), QStringList{QString::fromStdString(path)});

  TTextFileDialog save(TTextFileDialog::Kind::Save, U("集計結果を名前をつけて保存"));
  QCOMPARE(save.acceptMode(), QFileDialog::AcceptSave);
}

void TestPeriphery::messageTextLines_data() {
  QTest::addColumn<QByteArray>("cp932");
  QTest::addColumn<QString>("shown");
  QTest::newRow("CR LF ends lines") << QByteArray::fromStdString(S("一行目\r\n二行目\r\n三"))
                                    << U("一行目\n二行目\n三");
  QTest::newRow("LF ends lines") << QByteArray("a\nb") << U("a\nb");
  QTest::newRow("one line") << QByteArray::fromStdString(S("出力先が指定されていません"))
                            << U("出力先が指定されていません");
}

void TestPeriphery::messageTextLines() {
  QFETCH(QByteArray, cp932);
  QFETCH(QString, shown);
  QString text;
  tobrel::testing::ModalScript script;
  script.Then<QMessageBox>(tobrel::testing::NoteText(&text));
  ShowMessageText(nullptr, cp932.toStdString(), false);
  QVERIFY(script.Done());
  QCOMPARE(text, shown);
}

void TestPeriphery::blinkLabelBlinksAndStops() {
  TBlinkLabel label;
  label.setText(QStringLiteral("Tobrel"));
  int changes = 0;
  bool last = true;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (label.Lit() != last) ++changes, last = label.Lit();
  });
  watch.start(1);
  label.StartBlinking(2, 30);
  QVERIFY(label.Blinking());
  QTRY_VERIFY_WITH_TIMEOUT(!label.Blinking(), 2000);
  QVERIFY(label.Lit());
  QVERIFY(changes >= 2 && changes <= 4);
  label.StartBlinking(0, 10);
  QTest::qWait(100);
  QVERIFY(label.Blinking());
  label.StopBlinking();
  QVERIFY(!label.Blinking());
  QVERIFY(label.Lit());
}

void TestPeriphery::multiLineLabelBreaksLines() {
  TMultiLineLabel label;
  label.SetCaption(U("一行目\r\n二行目\r三行目\n<b>四</b>"));
  QCOMPARE(label.text(), U("一行目\n二行目\n三行目\n<b>四</b>"));
  QCOMPARE(label.textFormat(), Qt::PlainText);
  QVERIFY(label.wordWrap());
}

void TestPeriphery::aboutBox() {
  QWidget main;
  main.setGeometry(100, 100, 800, 600);
  main.show();
  TAboutBox box(&main);
  box.show();
  QCOMPARE(box.windowTitle(), U("ﾊﾞｰｼﾞｮﾝ情報"));
  QCOMPARE(box.pos(), CenteredTopLeft(main.frameGeometry(), box.frameGeometry().size()));
  QCOMPARE(box.findChild<QLabel*>("Version")->text(), U("Version ") + ProgramVersion());
  QVERIFY(!ProgramVersion().isEmpty());
  QVERIFY(box.findChild<QLabel*>("Copyright")->text().contains(U("MIT License")));
  QVERIFY(box.findChild<TBlinkLabel*>("ProductName")->Blinking());
  QTest::mouseClick(box.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
  QCOMPARE(box.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestPeriphery)
#include "tst_periphery.moc"
