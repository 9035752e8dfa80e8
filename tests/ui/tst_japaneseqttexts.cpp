// Qt's own texts are Japanese whatever the locale: this program runs under
// LANG=C.UTF-8 (its ctest entry sets it), installs Qt's Japanese
// translations as the program does at start-up, and looks at the labels and
// buttons Qt makes itself.
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

#include "ui/dialogs/text_file_dialog.h"
#include "ui/widgets/qt_translations.h"

using namespace tobrel;

Q_DECLARE_METATYPE(std::function<QString()>)

namespace {

QString LabelText(const QWidget& dialog, const char* name) {
  const auto* label = dialog.findChild<QLabel*>(QLatin1String(name));
  return label ? label->text() : QStringLiteral("(no %1)").arg(QLatin1String(name));
}

QString ButtonText(const QDialogButtonBox* box, QDialogButtonBox::StandardButton which) {
  const QPushButton* button = box ? box->button(which) : nullptr;
  return button ? button->text() : QStringLiteral("(no button)");
}

}  // namespace

class TestJapaneseQtTexts : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void fileDialog_data();
  void fileDialog();
  void messageBoxButtons();
  void otherDialogsAndMenus_data();
  void otherDialogsAndMenus();
};

void TestJapaneseQtTexts::initTestCase() {
  QCOMPARE(qgetenv("LANG"), QByteArray("C.UTF-8"));
  QVERIFY(InstallJapaneseQtTexts(*qApp));
  QVERIFY(InstallJapaneseQtTexts(*qApp));  // a second call is harmless
}

void TestJapaneseQtTexts::fileDialog_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("accept");
  QTest::newRow("open") << static_cast<int>(TTextFileDialog::Kind::Open) << QStringLiteral("開く(&O)");
  QTest::newRow("save") << static_cast<int>(TTextFileDialog::Kind::Save) << QStringLiteral("保存(&S)");
}

// The program's file dialog is Qt's own, not the desktop's: every label and
// button of it comes from Qt.
void TestJapaneseQtTexts::fileDialog() {
  QFETCH(int, kind);
  QFETCH(QString, accept);
  TTextFileDialog dialog(static_cast<TTextFileDialog::Kind>(kind), QStringLiteral("ログを開く"));
  dialog.show();
  QCOMPARE(LabelText(dialog, "lookInLabel"), QStringLiteral("アドレス:"));
  QCOMPARE(LabelText(dialog, "fileNameLabel"), QStringLiteral("ファイル名(&N):"));
  QCOMPARE(LabelText(dialog, "fileTypeLabel"), QStringLiteral("ファイルの種類:"));
  const auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
  QCOMPARE(ButtonText(buttons, QDialogButtonBox::Cancel), QStringLiteral("キャンセル"));
  const QPushButton* accept_button =
      buttons ? buttons->button(kind == static_cast<int>(TTextFileDialog::Kind::Open)
                                    ? QDialogButtonBox::Open
                                    : QDialogButtonBox::Save)
              : nullptr;
  QVERIFY(accept_button);
  QCOMPARE(accept_button->text(), accept);
}

// The buttons of a message box and of a dialog's button row (the find
// dialog's Cancel) come from the same table.
void TestJapaneseQtTexts::messageBoxButtons() {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Tobrel"), QStringLiteral("保存しますか"),
                  QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
  QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
  QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
  QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
  QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("いいえ(&N)"));
}

void TestJapaneseQtTexts::otherDialogsAndMenus_data() {
  QTest::addColumn<std::function<QString()>>("text");
  QTest::addColumn<QString>("expected");
  QTest::newRow("font dialog") << std::function<QString()>([] {
    return QFontDialog().windowTitle();
  }) << QStringLiteral("フォントの選択");
  QTest::newRow("colour dialog") << std::function<QString()>([] {
    return QColorDialog().windowTitle();
  }) << QStringLiteral("色を選択");
  QTest::newRow("line edit's menu") << std::function<QString()>([] {
    QLineEdit edit(QStringLiteral("NBN08841"));
    edit.selectAll();
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions())
      if (!action->isSeparator()) texts << action->text().section(QLatin1Char('\t'), 0, 0);
    return texts.join(QLatin1Char('|'));
  }) << QStringLiteral("元に戻す(&U)|やり直す(&R)|切り取り(&T)|コピー(&C)|貼り付け(&P)|削除|すべてを選択");
}

void TestJapaneseQtTexts::otherDialogsAndMenus() {
  QFETCH(std::function<QString()>, text);
  QFETCH(QString, expected);
  QCOMPARE(text(), expected);
}

QTEST_MAIN(TestJapaneseQtTexts)
#include "tst_japaneseqttexts.moc"
