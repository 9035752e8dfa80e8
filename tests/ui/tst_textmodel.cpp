// Tests of the text model behind the result view: positions in the whole
// text, stream and box edits, the undo store, and the line store under many
// changes.
#include <QTest>

#include <string>
#include <vector>

#include "support/sjis.h"
#include "ui/view/line_store.h"
#include "ui/view/text_model.h"

using tobrel::SelectionShape;
using tobrel::TextModel;
using tobrel::TextPos;
using tobrel::testing::S;

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(TextPos)

namespace {

QByteArray Bytes(const std::string& text) { return QByteArray::fromStdString(text); }

void Load(TextModel& model, const std::vector<std::string>& lines) {
  model.Clear();
  for (const std::string& line : lines) model.AppendLine(line);
}

}  // namespace

class TestTextModel : public QObject {
  Q_OBJECT

 private slots:
  void positions_data();
  void positions();
  void selectionCountsLineEnds();
  void wholeText_data();
  void wholeText();
  void streamEdits_data();
  void streamEdits();
  void boxSelectionAndPaste();
  void boxPasteAddsAndPadsRows();
  void deleteKeysStepWholeCharacters();
  void moveSelection_data();
  void moveSelection();
  void undoRedoRestoresTextAndCaret();
  void undoKeepsAtMost64Steps();
  void typingIsUndoneAtOnce();
  void autoIndent();
  void widestLineFollowsEdits();
  void lineStoreSurvivesManyChanges();
};

// "ab" CR LF "漢字x" CR LF "hit": positions 0-3 in row 0, 4-10 in row 1,
// 11-13 in row 2.
void TestTextModel::positions_data() {
  QTest::addColumn<qint64>("position");
  QTest::addColumn<TextPos>("expected");
  QTest::newRow("start") << qint64(0) << TextPos{0, 0};
  QTest::newRow("end of first line") << qint64(2) << TextPos{0, 2};
  QTest::newRow("between CR and LF") << qint64(3) << TextPos{0, 2};
  QTest::newRow("second line") << qint64(4) << TextPos{1, 0};
  QTest::newRow("inside a double-byte char") << qint64(5) << TextPos{1, 0};
  QTest::newRow("after the kanji") << qint64(8) << TextPos{1, 4};
  QTest::newRow("third line") << qint64(11) << TextPos{2, 0};
  QTest::newRow("end of text") << qint64(14) << TextPos{2, 3};
  QTest::newRow("past the end") << qint64(99) << TextPos{2, 3};
}

void TestTextModel::positions() {
  QFETCH(qint64, position);
  QFETCH(TextPos, expected);
  TextModel model;
  Load(model, {"ab", S("漢字x"), "hit"});
  const TextPos at = model.PosAt(position);
  QCOMPARE(at.row, expected.row);
  QCOMPARE(at.column, expected.column);
  QCOMPARE(model.PosAt(model.PositionOf(at)), at);
}

void TestTextModel::selectionCountsLineEnds() {
  TextModel model;
  Load(model, {"ab", S("漢字x"), "a hit"});
  model.SetSelectionStart(13);
  QCOMPARE(model.Caret(), (TextPos{2, 2}));
  QVERIFY(!model.HasSelection());
  model.SetSelectionLength(3);
  QVERIFY(model.HasSelection());
  QCOMPARE(model.SelectionStart(), qint64(13));
  QCOMPARE(model.SelectionLength(), qint64(3));
  QCOMPARE(Bytes(model.SelectedText()), QByteArray("hit"));

  model.Select({0, 1}, {2, 1});
  QCOMPARE(model.SelectionStart(), qint64(1));
  QCOMPARE(Bytes(model.SelectedText()), Bytes("b\r\n" + S("漢字x") + "\r\na"));
  QCOMPARE(model.SelectionLength(), qint64(model.SelectedText().size()));

  model.SelectAll();
  QCOMPARE(model.SelectionStart(), qint64(0));
  QCOMPARE(Bytes(model.SelectedText()), Bytes(model.Text()));
}

void TestTextModel::wholeText_data() {
  QTest::addColumn<QByteArray>("input");
  QTest::addColumn<int>("lines");
  QTest::addColumn<QByteArray>("joined");
  QTest::newRow("empty") << QByteArray("") << 0 << QByteArray("");
  QTest::newRow("one line") << QByteArray("abc") << 1 << QByteArray("abc");
  QTest::newRow("final line end adds no line") << QByteArray("a\r\nb\r\n") << 2
                                               << QByteArray("a\r\nb");
  QTest::newRow("LF and CR ends") << QByteArray("a\nb\rc") << 3 << QByteArray("a\r\nb\r\nc");
  QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx") << 3 << QByteArray("\r\n\r\nx");
}

void TestTextModel::wholeText() {
  QFETCH(QByteArray, input);
  QFETCH(int, lines);
  QFETCH(QByteArray, joined);
  TextModel model;
  model.SetText(input.toStdString());
  QCOMPARE(model.LineCount(), lines);
  QCOMPARE(Bytes(model.Text()), joined);
  QCOMPARE(Bytes(model.FileText()), lines ? joined + "\r\n" : QByteArray());
}

void TestTextModel::streamEdits_data() {
  QTest::addColumn<TextPos>("anchor");
  QTest::addColumn<TextPos>("caret");
  QTest::addColumn<QByteArray>("insert");
  QTest::addColumn<QByteArray>("expected");
  QTest::addColumn<TextPos>("caretAfter");
  // Text: "abc" / "漢字" / "xyz".
  QTest::newRow("insert in a line") << TextPos{0, 1} << TextPos{0, 1} << QByteArray("--")
                                    << QByteArray("a--bc\r\n" + Bytes(S("漢字")) + "\r\nxyz")
                                    << TextPos{0, 3};
  QTest::newRow("insert lines") << TextPos{2, 1} << TextPos{2, 1} << QByteArray("1\r\n2\n3")
                                << QByteArray("abc\r\n" + Bytes(S("漢字")) + "\r\nx1\r\n2\r\n3yz")
                                << TextPos{4, 1};
  QTest::newRow("replace across rows") << TextPos{0, 2} << TextPos{2, 1} << QByteArray("#")
                                       << QByteArray("ab#yz") << TextPos{0, 3};
  QTest::newRow("delete across rows, backwards selection")
      << TextPos{2, 0} << TextPos{0, 3} << QByteArray("") << QByteArray("abcxyz")
      << TextPos{0, 3};
  QTest::newRow("free caret pads with blanks") << TextPos{0, 6} << TextPos{0, 6}
                                               << QByteArray("!")
                                               << QByteArray("abc   !\r\n" + Bytes(S("漢字")) +
                                                             "\r\nxyz")
                                               << TextPos{0, 7};
  QTest::newRow("caret inside a double-byte char snaps to its start")
      << TextPos{1, 3} << TextPos{1, 3} << QByteArray("+")
      << QByteArray("abc\r\n" + Bytes(S("漢")) + "+" + Bytes(S("字")) + "\r\nxyz")
      << TextPos{1, 3};
}

void TestTextModel::streamEdits() {
  QFETCH(TextPos, anchor);
  QFETCH(TextPos, caret);
  QFETCH(QByteArray, insert);
  QFETCH(QByteArray, expected);
  QFETCH(TextPos, caretAfter);
  TextModel model;
  const std::string original = "abc\r\n" + S("漢字") + "\r\nxyz";
  model.SetText(original);
  model.Select(anchor, caret);
  QVERIFY(model.InsertText(insert.toStdString()));
  QCOMPARE(Bytes(model.Text()), expected);
  QCOMPARE(model.Caret(), caretAfter);
  QVERIFY(!model.HasSelection());
  QVERIFY(model.Undo());
  QCOMPARE(Bytes(model.Text()), Bytes(original));
}

void TestTextModel::boxSelectionAndPaste() {
  TextModel model;
  // Cells 2..5 cut through the middle of the double-byte characters of row 1,
  // which are then taken whole.
  const std::vector<std::string> lines{"0123456789", S("a漢字仮名"), "ab", "0123456789"};
  Load(model, lines);
  model.SetMode(SelectionShape::kBox);
  model.Select({0, 2}, {3, 5});
  QVERIFY(model.HasSelection());
  const std::string box = model.SelectedText();
  QCOMPARE(Bytes(box), Bytes("234\r\n" + S("漢字") + "\r\n\r\n234"));
  QCOMPARE(model.SelectionStart(), qint64(2));
  QCOMPARE(model.SelectionLength(), qint64(box.size()));

  QVERIFY(model.DeleteSelection());
  QCOMPARE(Bytes(model.Text()),
           Bytes(S("0156789\r\na仮名") + "\r\nab\r\n0156789"));
  QCOMPARE(model.Caret(), (TextPos{0, 2}));
  // Pasting the box back in normal mode restores the text.
  model.SetMode(SelectionShape::kNormal);
  QVERIFY(model.InsertBox(box));
  QCOMPARE(Bytes(model.Text()), Bytes(S("0123456789\r\na漢字仮名") + "\r\nab\r\n0123456789"));
  QVERIFY(model.Undo());
  QVERIFY(model.Undo());
  QCOMPARE(model.LineCount(), 4);
  for (int row = 0; row < 4; ++row) QCOMPARE(model.Line(row), std::string_view(lines[row]));
}

void TestTextModel::boxPasteAddsAndPadsRows() {
  TextModel model;
  Load(model, {"abcdef", "x"});
  model.MoveCaret({0, 3});
  QVERIFY(model.InsertBox("12\r\n34\r\n56\r\n"));
  QCOMPARE(Bytes(model.Text()), QByteArray("abc12def\r\nx  34\r\n   56"));
  QCOMPARE(model.Caret(), (TextPos{0, 5}));
  QVERIFY(model.Undo());
  QCOMPARE(Bytes(model.Text()), QByteArray("abcdef\r\nx"));
}

void TestTextModel::deleteKeysStepWholeCharacters() {
  TextModel model;
  Load(model, {S("a漢"), "b"});
  model.MoveCaret({0, 3});
  QVERIFY(model.DeleteBackward());
  QCOMPARE(Bytes(model.Text()), QByteArray("a\r\nb"));
  QVERIFY(model.DeleteForward());  // joins the rows
  QCOMPARE(Bytes(model.Text()), QByteArray("ab"));
  model.MoveCaret({0, 0});
  QVERIFY(!model.DeleteBackward());
  model.MoveCaret({0, 5});  // free caret beyond the end: Backspace only moves
  QVERIFY(!model.DeleteBackward());
  QCOMPARE(model.Caret(), (TextPos{0, 4}));
  model.MoveCaret({0, 2});
  QVERIFY(!model.DeleteForward());
}

void TestTextModel::moveSelection_data() {
  QTest::addColumn<TextPos>("target");
  QTest::addColumn<bool>("copy");
  QTest::addColumn<QByteArray>("expected");
  QTest::addColumn<QByteArray>("selected");
  // Text "one two" / "three", "two" selected (row 0, columns 4-7).
  QTest::newRow("move back") << TextPos{0, 0} << false << QByteArray("twoone \r\nthree")
                             << QByteArray("two");
  QTest::newRow("move to a later row") << TextPos{1, 2} << false
                                       << QByteArray("one \r\nthtworee") << QByteArray("two");
  QTest::newRow("copy") << TextPos{1, 5} << true << QByteArray("one two\r\nthreetwo")
                        << QByteArray("two");
  QTest::newRow("into itself: nothing") << TextPos{0, 5} << false
                                        << QByteArray("one two\r\nthree") << QByteArray("two");
}

void TestTextModel::moveSelection() {
  QFETCH(TextPos, target);
  QFETCH(bool, copy);
  QFETCH(QByteArray, expected);
  QFETCH(QByteArray, selected);
  TextModel model;
  Load(model, {"one two", "three"});
  model.Select({0, 4}, {0, 7});
  model.MoveSelectionTo(target, copy);
  QCOMPARE(Bytes(model.Text()), expected);
  QCOMPARE(Bytes(model.SelectedText()), selected);
}

void TestTextModel::undoRedoRestoresTextAndCaret() {
  TextModel model;
  Load(model, {"abc"});
  model.Select({0, 1}, {0, 2});
  QVERIFY(model.InsertText("XY"));
  QVERIFY(model.InsertLineBreak());
  QCOMPARE(Bytes(model.Text()), QByteArray("aXY\r\nc"));
  QVERIFY(model.Undo());
  QVERIFY(model.Undo());
  QCOMPARE(Bytes(model.Text()), QByteArray("abc"));
  QCOMPARE(Bytes(model.SelectedText()), QByteArray("b"));
  QVERIFY(!model.Undo());
  QVERIFY(model.Redo());
  QCOMPARE(Bytes(model.Text()), QByteArray("aXYc"));
  QCOMPARE(model.Caret(), (TextPos{0, 3}));
  QVERIFY(model.Redo());
  QVERIFY(!model.Redo());
  // A new edit forgets what could be redone.
  QVERIFY(model.Undo());
  QVERIFY(model.InsertText("!"));
  QVERIFY(!model.CanRedo());
  // Undo back to the empty text of a cleared model.
  model.Clear();
  QVERIFY(!model.CanUndo());
  QVERIFY(model.InsertText("new"));
  QVERIFY(model.Undo());
  QCOMPARE(model.LineCount(), 0);
}

void TestTextModel::undoKeepsAtMost64Steps() {
  TextModel model;
  QCOMPARE(model.UndoLimit(), 64);
  for (int step = 0; step < 70; ++step) QVERIFY(model.InsertText(std::to_string(step % 10)));
  int undone = 0;
  while (model.Undo()) ++undone;
  QCOMPARE(undone, 64);
  QCOMPARE(Bytes(model.Text()), QByteArray("012345"));
}

void TestTextModel::typingIsUndoneAtOnce() {
  TextModel model;
  Load(model, {"x"});
  model.MoveCaret({0, 1});
  for (const char* key : {"a", "b", "c"}) QVERIFY(model.TypeText(key));
  model.MoveCaret({0, 0});
  QVERIFY(model.TypeText("<"));  // same row: still one step
  QVERIFY(model.InsertLineBreak());
  QVERIFY(model.TypeText("z"));
  QCOMPARE(Bytes(model.Text()), QByteArray("<\r\nzxabc"));
  QVERIFY(model.Undo());
  QCOMPARE(Bytes(model.Text()), QByteArray("<\r\nxabc"));
  QVERIFY(model.Undo());
  QVERIFY(model.Undo());
  QCOMPARE(Bytes(model.Text()), QByteArray("x"));
}

void TestTextModel::autoIndent() {
  TextModel model;
  Load(model, {"  \tbody"});
  model.MoveCaret({0, 7});
  QVERIFY(model.InsertLineBreak());
  QCOMPARE(Bytes(model.Text()), QByteArray("  \tbody\r\n  \t"));
  QCOMPARE(model.Caret(), (TextPos{1, 3}));
  model.SetAutoIndent(false);
  QVERIFY(model.InsertLineBreak());
  QCOMPARE(model.Caret(), (TextPos{2, 0}));
}

void TestTextModel::widestLineFollowsEdits() {
  TextModel model;
  Load(model, {"abc", "abcdef", "abcdef", "a\tb"});
  QCOMPARE(model.MaxLineCells(), 9);  // the TAB reaches cell 8
  model.Select({2, 6}, {3, 3});
  QVERIFY(model.DeleteSelection());
  QCOMPARE(model.MaxLineCells(), 6);
  model.Select({1, 0}, {1, 6});
  QVERIFY(model.InsertText("x"));
  QCOMPARE(model.MaxLineCells(), 6);  // one line of six cells is left
  model.Select({2, 0}, {2, 6});
  QVERIFY(model.InsertText("x"));
  QCOMPARE(model.MaxLineCells(), 3);
  QVERIFY(model.Undo());
  QCOMPARE(model.MaxLineCells(), 6);
  model.SetTabWidth(4);
  model.AppendLine("\t\tx");
  QCOMPARE(model.MaxLineCells(), 9);
}

void TestTextModel::lineStoreSurvivesManyChanges() {
  tobrel::LineStore store;
  std::vector<std::string> expected;
  for (int row = 0; row < 1000; ++row) {
    expected.push_back(std::string(row % 50, 'a' + row % 26));
    store.Append(expected.back());
  }
  // Enough replacements of long lines to force several compactions.
  const std::string long_line(5000, 'z');
  for (int round = 0; round < 2000; ++round) {
    const int row = (round * 37) % static_cast<int>(expected.size());
    const std::vector<std::string> with = {long_line.substr(round % 100), "new"};
    store.Replace(row, 1, with);
    expected.erase(expected.begin() + row);
    expected.insert(expected.begin() + row, with.begin(), with.end());
    if (round % 3 == 0) {
      store.Replace(row, 2, {});
      expected.erase(expected.begin() + row, expected.begin() + row + 2);
    }
  }
  QCOMPARE(store.Count(), static_cast<int>(expected.size()));
  std::int64_t start = 0;
  for (int row = 0; row < store.Count(); ++row) {
    QCOMPARE(store.Line(row), std::string_view(expected[row]));
    QCOMPARE(store.RowStart(row), start);
    QCOMPARE(store.RowAt(start), row);
    start += static_cast<std::int64_t>(expected[row].size()) + 2;
  }
  QCOMPARE(store.TextLength(), start - 2);
}

QTEST_APPLESS_MAIN(TestTextModel)
#include "tst_textmodel.moc"
