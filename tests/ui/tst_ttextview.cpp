// Tests of the result view widget on the offscreen platform: the operations
// the main window uses, read-only and disabled states, the clipboard with
// boxes, keyboard and mouse, configuration, and the files it writes.
#include <QClipboard>
#include <QFontDatabase>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "support/sjis.h"
#include "ui/view/box_clipboard.h"
#include "ui/view/text_view.h"
#include "ui/view/view_cursors.h"
#include "ui/view/view_font.h"
#include "ui/view/win_color.h"

using tobrel::SelectionShape;
using tobrel::TextPos;
using tobrel::TTextView;
using tobrel::testing::S;

Q_DECLARE_METATYPE(TextPos)

namespace {

QByteArray Bytes(const std::string& text) { return QByteArray::fromStdString(text); }

// An installed family (as fontconfig lists them) other than the one
// "FixedSys" stands for, or nothing on a machine with a single family.
QString OtherInstalledFamily() {
  for (const QString& family : QFontDatabase::families())
    if (family != tobrel::JapaneseFixedFamily() && !QFontDatabase::isPrivateFamily(family) &&
        !family.contains(QLatin1Char('[')))
      return family;
  return {};
}

std::unique_ptr<TTextView> MakeView(const std::vector<std::string>& lines, bool editable) {
  auto view = std::make_unique<TTextView>();
  view->resize(480, 240);
  for (const std::string& line : lines) view->Lines().Add(line);
  view->SetReadOnly(!editable);
  view->show();
  QCoreApplication::processEvents();
  return view;
}

// Types `text` as one key press, as an input method may deliver it.
void TypeText(QWidget* widget, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
  QCoreApplication::sendEvent(widget, &press);
}

// A point in the left part of cell `cell` of row `row`.
QPoint CellPoint(const TTextView& view, int row, int cell) {
  return view.CellOrigin(row, cell) + QPoint(1, view.RowHeight() / 2);
}

}  // namespace

class TestTTextView : public QObject {
  Q_OBJECT

 private slots:
  void appendWhileReadOnlyAndDisabled();
  void findStyleSelection();
  void readOnlyRefusesChanges_data();
  void readOnlyRefusesChanges();
  void boxCopyAndPasteBack();
  void plainPasteIsAStreamUnlessBoxMode();
  void keys_data();
  void keys();
  void editingKeys();
  void mouseSelection();
  void dragMovesSelection();
  void selectingBeyondTheViewScrolls();
  void events();
  void wheelScrollsByLines();
  void cursorsFollowThePointer();
  void saveToFile();
  void scrollBarCodes_data();
  void scrollBarCodes();
  void fontMapping_data();
  void fontMapping();
  void colorRefs_data();
  void colorRefs();
};

void TestTTextView::appendWhileReadOnlyAndDisabled() {
  auto view = MakeView({}, false);
  view->setEnabled(false);
  for (int row = 0; row < 500; ++row) view->Lines().Add("line " + std::to_string(row + 1));
  view->setEnabled(true);
  QCoreApplication::processEvents();
  QCOMPARE(view->Lines().Count(), 500);
  QCOMPARE(view->Lines()[499], std::string_view("line 500"));
  // The whole report can be scrolled through: the last row reaches the view.
  view->SetTopRow(10000);
  QCOMPARE(view->TopRow(), 500 - view->VisibleRowCount());
  QVERIFY(view->VisibleRowCount() > 5);
  view->Lines().Clear();
  QCOMPARE(view->Lines().Count(), 0);
  QCOMPARE(view->TopRow(), 0);
  QVERIFY(view->Lines().Text().empty());
}

void TestTTextView::findStyleSelection() {
  // What the find command does after a hit in the third line.
  std::vector<std::string> lines(100, "filler");
  lines[30] = S("第三十行の hit です");
  auto view = MakeView(lines, false);
  const std::string text = view->Lines().Text();
  const std::int64_t hit = static_cast<std::int64_t>(text.find("hit"));
  QCOMPARE(hit, qint64(30 * 8 + 11));  // 30 lines of 6 bytes plus CR LF
  view->SetSelectionStart(hit);
  view->SetSelectionLength(3);
  view->SetCaretRow(view->CaretRow());
  view->SetTopRow(std::max(0, view->CaretRow() - view->VisibleRowCount() / 3));
  QVERIFY(view->HasSelection());
  QCOMPARE(view->SelectionStart(), hit);
  QCOMPARE(view->SelectionLength(), qint64(3));
  QCOMPARE(view->CaretRow(), 30);
  QCOMPARE(view->CaretColumn(), 14);
  QCOMPARE(view->TopRow(), 30 - view->VisibleRowCount() / 3);
  // Moving to another row drops the selection.
  view->SetCaretRow(2);
  QVERIFY(!view->HasSelection());
  QCOMPARE(view->CaretRow(), 2);
  view->SelectWholeText();
  QCOMPARE(view->SelectionStart(), qint64(0));
  QCOMPARE(view->SelectionLength(), qint64(text.size()));
}

void TestTTextView::readOnlyRefusesChanges_data() {
  QTest::addColumn<QString>("action");
  for (const char* action : {"cut", "paste", "delete", "undo", "redo", "type", "enter",
                             "backspace", "tab", "drag"})
    QTest::newRow(action) << QString::fromLatin1(action);
}

void TestTTextView::readOnlyRefusesChanges() {
  QFETCH(QString, action);
  auto view = MakeView({"alpha", "beta"}, true);
  // Leave one step to undo and one to redo.
  view->SetSelectionStart(0);
  QTest::keyClicks(view.get(), "xy");
  QTest::keyClick(view.get(), Qt::Key_Return);
  view->UndoEdit();
  tobrel::PutOnClipboard("pasted", false);
  view->SetReadOnly(true);
  view->SetSelectionStart(2);
  view->SetSelectionLength(5);
  const std::string before = view->Lines().Text();
  if (action == "cut") view->CutSelection();
  if (action == "paste") view->PasteText();
  if (action == "delete") view->DeleteSelection();
  if (action == "undo") view->UndoEdit();
  if (action == "redo") view->RedoEdit();
  if (action == "type") QTest::keyClicks(view.get(), "zz");
  if (action == "enter") QTest::keyClick(view.get(), Qt::Key_Return);
  if (action == "backspace") QTest::keyClick(view.get(), Qt::Key_Backspace);
  if (action == "tab") QTest::keyClick(view.get(), Qt::Key_Tab);
  if (action == "drag") {
    QWidget* viewport = view->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, CellPoint(*view, 0, 4));
    QTest::mouseMove(viewport, CellPoint(*view, 1, 4));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, CellPoint(*view, 1, 4));
  }
  QCOMPARE(Bytes(view->Lines().Text()), Bytes(before));
}

void TestTTextView::boxCopyAndPasteBack() {
  auto view = MakeView({"0123456789", S("a漢字仮名"), "ab", "0123456789"}, true);
  // Alt-drag selects a box, whatever the mode.
  QWidget* viewport = view->viewport();
  QTest::mousePress(viewport, Qt::LeftButton, Qt::AltModifier, CellPoint(*view, 0, 2));
  QTest::mouseMove(viewport, CellPoint(*view, 3, 5));
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::AltModifier, CellPoint(*view, 3, 5));
  const std::string box = "234\r\n" + S("漢字") + "\r\n\r\n234";
  QCOMPARE(Bytes(view->Model().SelectedText()), Bytes(box));
  view->CopySelection();
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  QCOMPARE(mime->text(), QString::fromUtf8("234\n漢字\n\n234"));
  QCOMPARE(mime->data(tobrel::kBoxMimeType), Bytes(box));

  // Cut it, then paste it back in normal mode: it goes in as a box.
  view->CutSelection();
  QCOMPARE(Bytes(view->Lines().Text()), Bytes(S("0156789\r\na仮名\r\nab\r\n0156789")));
  QCOMPARE(view->SelectionMode(), SelectionShape::kNormal);
  view->PasteText();
  QCOMPARE(Bytes(view->Lines().Text()),
           Bytes(S("0123456789\r\na漢字仮名\r\nab\r\n0123456789")));

  // Switching the mode keeps the selection and changes its shape.
  view->SetSelectionStart(1);
  view->SetSelectionLength(14);  // "123456789" CR LF "a漢"
  QCOMPARE(Bytes(view->Model().SelectedText()), Bytes(S("123456789\r\na漢")));
  view->SetSelectionMode(SelectionShape::kBox);
  QCOMPARE(Bytes(view->Model().SelectedText()), Bytes(S("12\r\n漢")));
}

void TestTTextView::plainPasteIsAStreamUnlessBoxMode() {
  auto view = MakeView({"abc", "def"}, true);
  // Text from another program: LF line ends, UTF-8.
  QGuiApplication::clipboard()->setText(QString::fromUtf8("1\n全角"));
  view->SetSelectionStart(1);
  view->PasteText();
  QCOMPARE(Bytes(view->Lines().Text()), Bytes(S("a1\r\n全角bc\r\ndef")));
  view->UndoEdit();
  // The box-paste command: box mode around the paste.
  view->SetSelectionMode(SelectionShape::kBox);
  view->PasteText();
  view->SetSelectionMode(SelectionShape::kNormal);
  QCOMPARE(Bytes(view->Lines().Text()), Bytes(S("a1bc\r\nd全角ef")));
  // Without plain text on the clipboard nothing happens.
  QGuiApplication::clipboard()->setMimeData(new QMimeData);
  view->PasteText();
  QCOMPARE(Bytes(view->Lines().Text()), Bytes(S("a1bc\r\nd全角ef")));
}

// Text: "ab漢字cd" (8 bytes), "x", "0123456789".
void TestTTextView::keys_data() {
  QTest::addColumn<TextPos>("start");
  QTest::addColumn<QKeySequence>("keys");
  QTest::addColumn<TextPos>("caret");
  QTest::addColumn<QByteArray>("selected");
  QTest::newRow("right over a double-byte char") << TextPos{0, 2} << QKeySequence(Qt::Key_Right)
                                                 << TextPos{0, 4} << QByteArray();
  QTest::newRow("left back over it") << TextPos{0, 6} << QKeySequence(Qt::Key_Left)
                                     << TextPos{0, 4} << QByteArray();
  QTest::newRow("up keeps the cell, snapping into a character")
      << TextPos{2, 5} << QKeySequence(Qt::Key_Up, Qt::Key_Up) << TextPos{0, 4} << QByteArray();
  QTest::newRow("free caret passes the line end") << TextPos{1, 1} << QKeySequence(Qt::Key_Right)
                                                  << TextPos{1, 2} << QByteArray();
  QTest::newRow("left at a row start") << TextPos{1, 0} << QKeySequence(Qt::Key_Left)
                                       << TextPos{0, 8} << QByteArray();
  QTest::newRow("shift+end") << TextPos{0, 2} << QKeySequence(Qt::SHIFT | Qt::Key_End)
                             << TextPos{0, 8} << Bytes(S("漢字cd"));
  QTest::newRow("shift+down over a line end")
      << TextPos{0, 6} << QKeySequence(Qt::SHIFT | Qt::Key_Down) << TextPos{1, 6}
      << Bytes("cd\r\nx");
  QTest::newRow("ctrl+end") << TextPos{0, 0} << QKeySequence(Qt::CTRL | Qt::Key_End)
                            << TextPos{2, 10} << QByteArray();
  QTest::newRow("ctrl+shift+home") << TextPos{1, 1} << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Home)
                                   << TextPos{0, 0} << Bytes(S("ab漢字cd\r\nx"));
  QTest::newRow("ctrl+right to the next word") << TextPos{0, 0} << QKeySequence(Qt::CTRL | Qt::Key_Right)
                                               << TextPos{0, 2} << QByteArray();
}

void TestTTextView::keys() {
  QFETCH(TextPos, start);
  QFETCH(QKeySequence, keys);
  QFETCH(TextPos, caret);
  QFETCH(QByteArray, selected);
  auto view = MakeView({S("ab漢字cd"), "x", "0123456789"}, false);
  view->SetSelectionStart(view->Model().PositionOf(start));
  if (start.column > static_cast<int>(view->Lines()[start.row].size()))
    for (int i = static_cast<int>(view->Lines()[start.row].size()); i < start.column; ++i)
      QTest::keyClick(view.get(), Qt::Key_Right);
  QCOMPARE(view->Model().Caret(), start);
  QTest::keySequence(view.get(), keys);
  QCOMPARE(view->Model().Caret(), caret);
  QCOMPARE(Bytes(view->Model().SelectedText()), selected);
}

void TestTTextView::editingKeys() {
  auto view = MakeView({"  item"}, true);
  QTest::keyClick(view.get(), Qt::Key_End);
  QTest::keyClick(view.get(), Qt::Key_Return);  // auto indent
  TypeText(view.get(), QString::fromUtf8("全角"));
  QTest::keyClick(view.get(), Qt::Key_Tab);
  QTest::keyClick(view.get(), Qt::Key_Backspace);
  QTest::keyClick(view.get(), Qt::Key_Backspace);  // a whole double-byte char
  QCOMPARE(Bytes(view->Lines().Text()), Bytes(S("  item\r\n  全")));
  QCOMPARE(view->CaretRow(), 1);
  QCOMPARE(view->CaretColumn(), 4);
  QTest::keyClick(view.get(), Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(Bytes(view->Lines().Text()), Bytes(S("  item\r\n  全角")));
  view->SetWantReturns(false);
  QTest::keyClick(view.get(), Qt::Key_Return);
  QCOMPARE(view->Lines().Count(), 2);
}

void TestTTextView::mouseSelection() {
  auto view = MakeView({S("word 漢字かな next"), "second row", "third"}, false);
  view->SetLeftbarVisible(true);
  QWidget* viewport = view->viewport();
  // A click on the right half of a double-byte char puts the caret after it.
  QTest::mouseClick(viewport, Qt::LeftButton, {}, CellPoint(*view, 0, 6) + QPoint(view->CellWidth() / 2, 0));
  QCOMPARE(view->Model().Caret(), (TextPos{0, 7}));
  QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, CellPoint(*view, 1, 3));
  QCOMPARE(Bytes(view->Model().SelectedText()), Bytes(S("字かな next\r\nsec")));
  QTest::mouseDClick(viewport, Qt::LeftButton, {}, CellPoint(*view, 0, 6));
  QCOMPARE(Bytes(view->Model().SelectedText()), Bytes(S("漢字")));
  QTest::mouseDClick(viewport, Qt::LeftButton, {}, CellPoint(*view, 0, 10));
  QCOMPARE(Bytes(view->Model().SelectedText()), Bytes(S("かな")));
  // The left margin selects whole rows; dragging there extends by rows.
  QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(3, CellPoint(*view, 1, 0).y()));
  QCOMPARE(Bytes(view->Model().SelectedText()), QByteArray("second row\r\n"));
  QTest::mouseMove(viewport, QPoint(3, CellPoint(*view, 2, 0).y()));
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(3, CellPoint(*view, 2, 0).y()));
  QCOMPARE(Bytes(view->Model().SelectedText()), QByteArray("second row\r\nthird"));
}

void TestTTextView::dragMovesSelection() {
  auto view = MakeView({"one two three"}, true);
  view->SetSelectionStart(4);
  view->SetSelectionLength(4);  // "two "
  QWidget* viewport = view->viewport();
  QTest::mousePress(viewport, Qt::LeftButton, {}, CellPoint(*view, 0, 5));
  QTest::mouseMove(viewport, CellPoint(*view, 0, 9));
  QTest::mouseMove(viewport, CellPoint(*view, 0, 13));
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, CellPoint(*view, 0, 13));
  QCOMPARE(Bytes(view->Lines().Text()), QByteArray("one threetwo "));
  QCOMPARE(Bytes(view->Model().SelectedText()), QByteArray("two "));
  // A click on the selection without moving just places the caret.
  QTest::mouseClick(viewport, Qt::LeftButton, {}, CellPoint(*view, 0, 10));
  QVERIFY(!view->HasSelection());
  QCOMPARE(view->CaretColumn(), 10);
}

void TestTTextView::selectingBeyondTheViewScrolls() {
  std::vector<std::string> lines(200, "row");
  auto view = MakeView(lines, false);
  QWidget* viewport = view->viewport();
  QTest::mousePress(viewport, Qt::LeftButton, {}, CellPoint(*view, 0, 1));
  QTest::mouseMove(viewport, QPoint(20, viewport->height() + 30));
  QTRY_VERIFY(view->TopRow() >= 5);
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(20, viewport->height() + 30));
  const int top = view->TopRow();
  QTest::qWait(120);
  QCOMPARE(view->TopRow(), top);  // stops with the release
  QVERIFY(view->CaretRow() >= top + view->VisibleRowCount() - 1);
  QCOMPARE(view->SelectionStart(), qint64(1));
}

void TestTTextView::events() {
  auto view = MakeView({"abc", "def"}, false);
  QSignalSpy moved(view.get(), &TTextView::OnCaretMoved);
  QSignalSpy pressed(view.get(), &TTextView::OnMouseDown);
  view->SetSelectionStart(5);
  QCOMPARE(moved.count(), 1);
  view->SetSelectionStart(5);
  QCOMPARE(moved.count(), 1);  // no move, no event
  QTest::keyClick(view.get(), Qt::Key_Left);
  QCOMPARE(moved.count(), 2);
  QTest::mouseClick(view->viewport(), Qt::RightButton, {}, CellPoint(*view, 1, 2));
  QCOMPARE(pressed.count(), 1);
  QCOMPARE(pressed.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
  QCOMPARE(view->Model().Caret(), (TextPos{0, 3}));  // a right click leaves the caret alone
}

void TestTTextView::wheelScrollsByLines() {
  std::vector<std::string> lines(100, "row");
  auto view = MakeView(lines, false);
  view->SetTopRow(10);
  QWheelEvent away(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, 120),
                   Qt::NoButton, {}, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(view->viewport(), &away);
  QCOMPARE(view->TopRow(), 9);
  view->ScrollLineDown();
  view->ScrollLineDown();
  QCOMPARE(view->TopRow(), 11);
  view->SetTopRow(0);
  view->ScrollLineUp();
  QCOMPARE(view->TopRow(), 0);
}

void TestTTextView::cursorsFollowThePointer() {
  auto view = MakeView({"selected text"}, false);
  view->SetSelectionStart(0);
  view->SetSelectionLength(8);
  QWidget* viewport = view->viewport();
  QTest::mouseMove(viewport, CellPoint(*view, 0, 2));
  QCOMPARE(viewport->cursor().shape(), Qt::ArrowCursor);
  QTest::mouseMove(viewport, CellPoint(*view, 0, 10));
  QCOMPARE(viewport->cursor().shape(), Qt::IBeamCursor);
  QTest::mouseMove(viewport, QPoint(0, CellPoint(*view, 0, 0).y()));
  QCOMPARE(viewport->cursor().shape(), Qt::BitmapCursor);
  QCOMPARE(viewport->cursor().hotSpot(), tobrel::RightArrowCursor().hotSpot());
}

void TestTTextView::saveToFile() {
  auto view = MakeView({S("一行目"), "", "last"}, false);
  QTemporaryDir dir;
  const std::filesystem::path path = dir.filePath("result.txt").toStdString();
  std::ofstream(path) << "old content that is longer than the new one......";
  view->Lines().SaveToFile(path);
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  QCOMPARE(Bytes(content.str()), Bytes(S("一行目") + "\r\n\r\nlast\r\n"));
  QVERIFY_THROWS_EXCEPTION(tobrel::Failure,
                           view->Lines().SaveToFile(dir.filePath("missing/result.txt").toStdString()));
}

void TestTTextView::scrollBarCodes_data() {
  QTest::addColumn<int>("code");
  QTest::addColumn<int>("stored");
  QTest::addColumn<bool>("horizontal");
  QTest::addColumn<bool>("vertical");
  QTest::newRow("none") << 0 << 0 << false << false;
  QTest::newRow("horizontal") << 1 << 1 << true << false;
  QTest::newRow("vertical") << 2 << 2 << false << true;
  QTest::newRow("both") << 3 << 3 << true << true;
  QTest::newRow("other values mean none") << 7 << 0 << false << false;
  QTest::newRow("negative") << -1 << 0 << false << false;
}

void TestTTextView::scrollBarCodes() {
  QFETCH(int, code);
  QFETCH(int, stored);
  QFETCH(bool, horizontal);
  QFETCH(bool, vertical);
  std::vector<std::string> lines(200, std::string(300, '-'));
  auto view = MakeView(lines, false);
  view->SetScrollBars(tobrel::ScrollBarChoiceFromCode(code));
  QCoreApplication::processEvents();
  QCOMPARE(static_cast<int>(view->ScrollBars()), stored);
  QCOMPARE(view->horizontalScrollBar()->isVisible(), horizontal);
  QCOMPARE(view->verticalScrollBar()->isVisible(), vertical);
}

void TestTTextView::fontMapping_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("family");
  QTest::newRow("FixedSys") << "FixedSys" << "IPAGothic";
  QTest::newRow("letter case ignored") << "FIXEDSYS" << "IPAGothic";
  QTest::newRow("not installed") << "MS Gothic" << "IPAGothic";
  if (const QString other = OtherInstalledFamily(); !other.isEmpty())
    QTest::newRow("installed family kept") << other << other;
}

void TestTTextView::fontMapping() {
  QFETCH(QString, name);
  QFETCH(QString, family);
  TTextView view;
  view.SetFontByName(name, 12);
  QCOMPARE(QFontInfo(view.font()).family(), family);
  QCOMPARE(view.font().pointSize(), 12);
  QCOMPARE(view.FontName(), name);
  QCOMPARE(view.FontSize(), 12);
}

void TestTTextView::colorRefs_data() {
  QTest::addColumn<uint>("colorRef");
  QTest::addColumn<QColor>("color");
  QTest::newRow("red is the low byte") << 0x000000FFu << QColor(255, 0, 0);
  QTest::newRow("blue is the high byte") << 0x00FF0000u << QColor(0, 0, 255);
  QTest::newRow("navy selection") << 0x00800000u << QColor(0, 0, 128);
  QTest::newRow("mixed") << 0x00123456u << QColor(0x56, 0x34, 0x12);
}

void TestTTextView::colorRefs() {
  QFETCH(uint, colorRef);
  QFETCH(QColor, color);
  QCOMPARE(tobrel::ColorFromColorRef(colorRef), color);
  QCOMPARE(tobrel::ColorRefFromColor(color), colorRef);
}

QTEST_MAIN(TestTTextView)
#include "tst_ttextview.moc"
