// Renders a ranking report with full-width and half-width characters and
// checks on the picture that its columns line up: the same byte column must
// start at the same pixel in every row, whether the font is fixed-pitch or
// proportional. The pictures stay in the build folder for a look.
#include <QImage>
#include <QTest>
#include <string>
#include <vector>

#include "dialog_checks.h"
#include "support/sjis.h"
#include "ui/view/text_view.h"
#include "ui/view/win_color.h"

using tobrel::TTextView;
using tobrel::testing::PicturePath;
using tobrel::testing::S;

namespace {

std::string PadRight(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string PadLeft(const std::string& text, std::size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

// Byte columns of the measured marks in every ranking row.
constexpr int kBarColumn = 32;

std::string RankingRow(const char* rank, const char* id, const char* handle, const char* count,
                       const char* share) {
  return PadLeft(rank, 4) + "  " + id + "  " + PadRight(S(handle), 16) + "|" +
         PadLeft(count, 5) + "  " + PadLeft(share, 6) + "%";
}

const std::vector<std::string>& Report() {
  static const std::vector<std::string> lines = {
      S("■ 発言数ランキング（全角と半角の混在）"),
      "",
      S("順位  ID        ハンドル        |発言数    割合"),
      "----  --------  ----------------|-----  -------",
      RankingRow("1", "ABC01234", "山田太郎", "1,120", "30.00"),
      RankingRow("2", "XYZ98765", "ｶﾀｶﾅﾊﾝﾄﾞﾙ", "98", "24.50"),
      RankingRow("3", "QRS55555", "mixed名前ab", "87", "21.75"),
      RankingRow("3", "TUV00001", "全角ＡＢＣ１２", "87", "21.75"),
      RankingRow("5", "III00002", "iiiiillll1111111", "7", "1.00"),
  };
  return lines;
}

constexpr int kFirstRankingRow = 4;

bool IsInk(QRgb pixel, QRgb background) {
  return std::abs(qRed(pixel) - qRed(background)) + std::abs(qGreen(pixel) - qGreen(background)) +
             std::abs(qBlue(pixel) - qBlue(background)) > 120;
}

// A logical coordinate of the view as a pixel of its picture, which has the
// screen's pixels (more than the logical ones at a scale above 1).
int Device(const QImage& image, int logical) {
  return qRound(logical * image.devicePixelRatio());
}

// The leftmost (or rightmost) x in [from, to) of row band `row` with ink,
// all in logical coordinates (an inked pixel counts for the logical x it
// lies in).
int InkEdge(const QImage& image, const TTextView& view, int row, int from, int to, bool leftmost,
            QRgb background) {
  const int top = view.CellOrigin(row, 0).y();
  const int bottom = Device(image, top + view.RowHeight());
  int edge = -1;
  for (int x = Device(image, from); x < Device(image, to) && x < image.width(); ++x)
    for (int y = Device(image, top); y < bottom; ++y)
      if (IsInk(image.pixel(x, y), background)) {
        const int logical = static_cast<int>(x / image.devicePixelRatio());
        if (leftmost) return logical;
        edge = logical;
        break;
      }
  return edge;
}

}  // namespace

class TestTextViewRendering : public QObject {
  Q_OBJECT

 private slots:
  void columnsLineUp_data();
  void columnsLineUp();
  void colorsAndSelection();
};

void TestTextViewRendering::columnsLineUp_data() {
  QTest::addColumn<QString>("font");
  QTest::addColumn<QString>("picture");
  QTest::newRow("FixedSys") << "FixedSys" << "text_view_report_fixedsys.png";
  QTest::newRow("proportional font") << "IPAPGothic" << "text_view_report_proportional.png";
}

void TestTextViewRendering::columnsLineUp() {
  QFETCH(QString, font);
  QFETCH(QString, picture);
  TTextView view;
  view.resize(760, 260);
  view.SetFontByName(font, 12);
  view.SetLeftbarVisible(true);
  view.SetRulerVisible(true);
  view.SetScrollBars(tobrel::ScrollBarChoice::kBoth);
  for (const std::string& line : Report()) view.Lines().Add(line);
  view.SetSelectionStart(2);
  view.SetSelectionLength(8);
  view.show();
  QCoreApplication::processEvents();
  const QImage image = view.viewport()->grab().toImage();
  QVERIFY(image.save(PicturePath(picture)));
  const QRgb background = view.BackColor().rgb();

  const int cell = view.CellWidth();
  const int bar_x = view.CellOrigin(0, kBarColumn).x();
  const int end_x = view.CellOrigin(0, static_cast<int>(Report()[kFirstRankingRow].size())).x();
  for (int row = kFirstRankingRow - 2; row < static_cast<int>(Report().size()); ++row) {
    // The bar after the handles starts inside its own cell in every row.
    const int bar = InkEdge(image, view, row, bar_x, bar_x + cell, true, background);
    QVERIFY2(bar >= bar_x && bar < bar_x + cell, qPrintable(QString("row %1: bar at %2, cell at %3")
                                                             .arg(row).arg(bar).arg(bar_x)));
    if (row < kFirstRankingRow) continue;
    const int first_bar = InkEdge(image, view, kFirstRankingRow, bar_x, bar_x + cell,
                                  true, background);
    QCOMPARE(bar, first_bar);
    // The right-aligned shares end at the same pixel.
    const int share_end = InkEdge(image, view, row, bar_x, end_x + cell, false, background);
    const int first_end =
        InkEdge(image, view, kFirstRankingRow, bar_x, end_x + cell, false, background);
    QVERIFY2(share_end == first_end, qPrintable(QString("row %1: shares end at %2, not %3").arg(row).arg(share_end).arg(first_end)));
    QVERIFY(share_end >= end_x - cell);  // the ink of the final "%"
  }
}

void TestTextViewRendering::colorsAndSelection() {
  TTextView view;
  view.resize(400, 160);
  view.SetColors(tobrel::ColorFromColorRef(0x00006400), tobrel::ColorFromColorRef(0x00E0FFFF),
                 tobrel::ColorFromColorRef(0x00800000));
  for (const std::string& line : Report()) view.Lines().Add(line);
  view.SetSelectionStart(0);
  view.SetSelectionLength(static_cast<std::int64_t>(Report()[0].size()));
  view.show();
  QCoreApplication::processEvents();
  const QImage image = view.viewport()->grab().toImage();
  QVERIFY(image.save(PicturePath("text_view_colors.png")));

  // Background beyond the text, selection behind row 0, text in row 2.
  QCOMPARE(QColor(image.pixel(image.width() - 3, image.height() - 3)), QColor(255, 255, 224));
  const QPoint selected = view.CellOrigin(0, 1);
  QCOMPARE(QColor(image.pixel(Device(image, selected.x()), Device(image, selected.y()))),
           QColor(0, 0, 128));
  bool white_text = false;
  bool green_text = false;
  const int rows = Device(image, view.RowHeight());
  for (int x = 0; x < image.width(); ++x) {
    for (int dy = 0; dy < rows; ++dy) {
      white_text = white_text ||
                   QColor(image.pixel(x, Device(image, selected.y()) + dy)) == QColor(Qt::white);
      green_text = green_text || QColor(image.pixel(x, Device(image, view.CellOrigin(2, 0).y()) +
                                                           dy)) == QColor(0, 100, 0);
    }
  }
  QVERIFY(white_text);
  QVERIFY(green_text);
}

QTEST_MAIN(TestTextViewRendering)
#include "tst_textviewrendering.moc"
