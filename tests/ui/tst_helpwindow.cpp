// The help window on the offscreen platform: the manual with its title and
// pictures, links to chapters and to another page with back and forward,
// finding Japanese text, handing the page to the desktop's browser, its
// place on the screen, and a picture of it (kept in the build folder). The
// picture is taken at the scale factor the environment sets; ctest runs it
// at 1 and at 1.5.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>

#include "dialog_checks.h"
#include "modal_script.h"
#include "ui/dialogs/help_window.h"
#include "ui/widgets/qt_translations.h"

using namespace tobrel;
using tobrel::testing::ModalScript;

namespace {

const QString kManual = QStringLiteral(TOBREL_DOCS "/tobrel.html");

void WriteFile(const QString& path, const QString& text) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(text.toUtf8());
}

// Two pages: chapters far apart on the first, a link to a place on the
// second, a link out to the web.
void WritePages(const QTemporaryDir& folder) {
  QString filler;
  for (int i = 0; i < 120; ++i) filler += QStringLiteral("<p>行 %1</p>\n").arg(i);
  WriteFile(folder.filePath("index.html"),
            QStringLiteral("<html><head><meta charset=\"utf-8\"><title>見本の説明書</title></head><body>"
                           "<h1>見本</h1><p><a href=\"#second\">第二章へ</a> "
                           "<a href=\"other.html#part\">別のページ</a> "
                           "<a href=\"https://example.org/\">外へ</a></p>"
                           "<p>ログを読み込みます。</p>") +
                filler +
                QStringLiteral("<h2 id=\"second\">第二章</h2><p>集計結果を読み込みで確かめます。</p>") +
                filler + QStringLiteral("</body></html>"));
  WriteFile(folder.filePath("other.html"),
            QStringLiteral("<html><head><meta charset=\"utf-8\"><title>別のページ</title></head><body>") +
                filler + QStringLiteral("<h2 id=\"part\">別の節</h2>") + filler +
                QStringLiteral("</body></html>"));
}

// Clicks the link of `window` that leads to `href`.
void ClickLink(THelpWindow& window, const QString& href) {
  QTextBrowser* browser = window.Browser();
  for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
    for (auto part = block.begin(); !part.atEnd(); ++part)
      if (part.fragment().charFormat().anchorHref() == href) {
        QTextCursor at(browser->document());
        at.setPosition(part.fragment().position() + 1);
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(at).center());
        return;
      }
  QFAIL(qPrintable(QStringLiteral("no link to ") + href));
}

// The line of the view's top edge: the block shown first.
QString TopBlockText(const THelpWindow& window) {
  return window.Browser()->cursorForPosition(QPoint(4, 4)).block().text();
}

QString SelectedText(const THelpWindow& window) {
  return window.Browser()->textCursor().selectedText();
}

}  // namespace

class TestHelpWindow : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void placement_data();
  void placement();
  void showsTheManualWithItsPictures();
  void linksBackAndForward();
  void findsJapaneseText();
  void opensThePageOutside();
  void picture();
};

void TestHelpWindow::initTestCase() { QVERIFY(InstallJapaneseQtTexts(*qApp)); }

void TestHelpWindow::placement_data() {
  QTest::addColumn<QRect>("owner");
  QTest::addColumn<QSize>("wanted");
  QTest::addColumn<QRect>("expected");
  const QRect screen(0, 0, 1920, 1080);
  QTest::newRow("beside the owner") << QRect(100, 50, 640, 600) << QSize(820, 700)
                                    << QRect(740, 50, 820, 700);
  QTest::newRow("over the owner, no room beside") << QRect(700, 200, 640, 600) << QSize(820, 700)
                                                   << QRect(610, 150, 820, 700);
  QTest::newRow("pushed back onto the screen") << QRect(1500, 900, 640, 600) << QSize(820, 700)
                                               << QRect(1100, 380, 820, 700);
  QTest::newRow("shrunk to a small screen") << QRect(0, 0, 640, 600) << QSize(2400, 1400)
                                            << QRect(0, 0, 1920, 1080);
}

void TestHelpWindow::placement() {
  QFETCH(QRect, owner);
  QFETCH(QSize, wanted);
  QFETCH(QRect, expected);
  QCOMPARE(HelpWindowPlacement(owner, wanted, QRect(0, 0, 1920, 1080)), expected);
}

void TestHelpWindow::showsTheManualWithItsPictures() {
  THelpWindow window;
  window.ShowPage(kManual);
  QCOMPARE(window.windowTitle(), QStringLiteral("Tobrel 発言集計 for NIFTY SERVE 使い方"));
  QTextDocument* page = window.Browser()->document();
  for (const char* picture : {"images/main_count.png", "images/help_window.png"}) {
    const QVariant image = page->resource(QTextDocument::ImageResource, QUrl(QLatin1String(picture)));
    QVERIFY2(image.isValid() && !image.value<QImage>().isNull(), picture);
  }
  // Showing it again keeps the reader where it is.
  window.Browser()->verticalScrollBar()->setValue(400);
  window.ShowPage(kManual);
  QCOMPARE(window.Browser()->verticalScrollBar()->value(), 400);
}

void TestHelpWindow::linksBackAndForward() {
  QTemporaryDir folder;
  WritePages(folder);
  THelpWindow window;
  window.ShowPage(folder.filePath("index.html"));
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  auto* back = window.findChild<QAction*>("HelpBack");
  auto* forward = window.findChild<QAction*>("HelpForward");
  QVERIFY(!back->isEnabled());

  ClickLink(window, "#second");
  QCOMPARE(TopBlockText(window), QStringLiteral("第二章"));
  QCOMPARE(window.Browser()->source().fragment(), QStringLiteral("second"));
  QVERIFY(back->isEnabled());
  back->trigger();
  QCOMPARE(window.Browser()->verticalScrollBar()->value(), 0);
  QVERIFY(forward->isEnabled());

  // Another page, and the keys of back and forward.
  ClickLink(window, "other.html#part");
  QCOMPARE(window.windowTitle(), QStringLiteral("別のページ"));
  QCOMPARE(TopBlockText(window), QStringLiteral("別の節"));
  QVERIFY(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_Left, Qt::AltModifier);
  QCOMPARE(window.windowTitle(), QStringLiteral("見本の説明書"));
  QTest::keyClick(&window, Qt::Key_Right, Qt::AltModifier);
  QCOMPARE(window.windowTitle(), QStringLiteral("別のページ"));
}

void TestHelpWindow::findsJapaneseText() {
  QTemporaryDir folder;
  WritePages(folder);
  THelpWindow window;
  window.ShowPage(folder.filePath("index.html"));
  QVERIFY(QTest::qWaitForWindowActive(&window));

  // Ctrl+F leads to the find field; Enter finds the next match.
  QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
  auto* field = window.findChild<QLineEdit*>("HelpFindText");
  QVERIFY(field->hasFocus());
  field->setText(QStringLiteral("読み込"));
  QTest::keyClick(field, Qt::Key_Return);
  QCOMPARE(SelectedText(window), QStringLiteral("読み込"));
  const int first = window.Browser()->textCursor().position();
  QCOMPARE(window.Browser()->textCursor().block().text(), QStringLiteral("ログを読み込みます。"));

  QVERIFY(window.FindText(QStringLiteral("読み込")));
  QCOMPARE(window.Browser()->textCursor().block().text(), QStringLiteral("集計結果を読み込みで確かめます。"));
  QVERIFY(window.Browser()->cursorRect().top() >= 0);  // scrolled into view
  QVERIFY(window.FindNote().isEmpty());
  // Past the last match the search goes on from the start, and says so.
  QVERIFY(window.FindText(QStringLiteral("読み込")));
  QCOMPARE(window.Browser()->textCursor().position(), first);
  QCOMPARE(window.FindNote(), QStringLiteral("先頭から続けて検索しました"));
  // Backward from the first match: round to the last.
  QVERIFY(window.FindText(QStringLiteral("読み込"), true));
  QCOMPARE(window.Browser()->textCursor().block().text(), QStringLiteral("集計結果を読み込みで確かめます。"));
  QCOMPARE(window.FindNote(), QStringLiteral("末尾から続けて検索しました"));

  // Nothing found: the selection stays and the find bar says so.
  const int before = window.Browser()->textCursor().position();
  QVERIFY(!window.FindText(QStringLiteral("存在しない言葉")));
  QCOMPARE(window.FindNote(), QStringLiteral("「存在しない言葉」は見つかりません"));
  QCOMPARE(window.Browser()->textCursor().position(), before);
  QCOMPARE(SelectedText(window), QStringLiteral("読み込"));
}

void TestHelpWindow::opensThePageOutside() {
  QTemporaryDir folder;
  WritePages(folder);
  THelpWindow window;
  QList<QUrl> opened;
  bool opens = true;
  window.SetUrlOpener([&](const QUrl& url) {
    opened << url;
    return opens;
  });
  window.ShowPage(folder.filePath("index.html"));
  QVERIFY(QTest::qWaitForWindowExposed(&window));

  // The page shown, at the place shown.
  ClickLink(window, "#second");
  window.findChild<QAction*>("HelpOpenInBrowser")->trigger();
  QUrl expected = QUrl::fromLocalFile(folder.filePath("index.html"));
  expected.setFragment(QStringLiteral("second"));
  QCOMPARE(opened, QList<QUrl>{expected});

  // A link out of the manual goes to the desktop too; the reader stays.
  window.findChild<QAction*>("HelpContents")->trigger();
  ClickLink(window, "https://example.org/");
  QCOMPARE(opened.last(), QUrl(QStringLiteral("https://example.org/")));
  QCOMPARE(window.Browser()->source().fileName(), QStringLiteral("index.html"));

  // When nothing takes it, a message names the page.
  opens = false;
  QString message;
  ModalScript script;
  script.Then<QMessageBox>([&](QMessageBox* box) {
    message = box->text();
    box->accept();
  });
  window.OpenInBrowser();
  QVERIFY(script.Done());
  QCOMPARE(message, QStringLiteral("ブラウザで開けませんでした:\n") + folder.filePath("index.html"));
}

// The real manual in the window, for a look: its tool bar, the manual's
// start with the table of contents, and the find bar under it.
void TestHelpWindow::picture() {
  THelpWindow window;
  window.ShowPage(kManual);
  window.resize(760, 560);
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  window.findChild<QLineEdit*>("HelpFindText")->setText(QStringLiteral("集計"));
  const QByteArray scale = qgetenv("QT_SCALE_FACTOR");
  const QString name = QStringLiteral("help_window_%1x.png").arg(scale.isEmpty() ? "1" : scale.constData());
  tobrel::testing::SaveAndCheck(&window, qPrintable(name));
}

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
