// Tests of the list of excluded postings: the rows and the count on
// showing, sorting by a heading click in the chosen direction, and the
// direction kept between showings.
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "support/excluded_posting.h"
#include "support/sjis.h"
#include "ui/widgets/dialog_support.h"
#include "ui/dialogs/exp_mes_form.h"
#include "ui/widgets/radio_group.h"
#include "ui/view/view_font.h"

using namespace tobrel;
using tobrel::testing::ExcludedPosting;
using tobrel::testing::S;

namespace {

QTreeWidget* List(TExpMesForm& form) { return form.findChild<QTreeWidget*>("ListView1"); }
TRadioGroup* Direction(TExpMesForm& form) { return form.findChild<TRadioGroup*>("RadioGroup1"); }

// Column `column` of every row, top to bottom, joined by "|".
QString ColumnText(TExpMesForm& form, int column) {
  QStringList cells;
  for (int row = 0; row < List(form)->topLevelItemCount(); ++row)
    cells << List(form)->topLevelItem(row)->text(column);
  return cells.join('|');
}

void ClickHeading(TExpMesForm& form, int column) {
  QHeaderView* header = List(form)->header();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(column) + 4, header->height() / 2));
}

void ClickDirection(TExpMesForm& form, int item) {
  form.findChild<QRadioButton*>(QStringLiteral("RadioGroup1Item%1").arg(item))->click();
}

}  // namespace

class TestTExpMesForm : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void rowsAndCountOnShowing();
  void headingClickSorts_data();
  void headingClickSorts();
  void directionKeptBetweenShowings();

 private:
  QWidget owner_;
  LogStore store_;
};

void TestTExpMesForm::initTestCase() {
  owner_.setGeometry(0, 0, 1001, 701);
  owner_.show();
  store_.Excluded = {
      ExcludedPosting(ExclusionReason::ByTitle, 3, 12, "ABC00001", "太郎", "【連絡】集会"),
      ExcludedPosting(ExclusionReason::ById, 1, 100, "XYZ00002", "ｽﾀｯﾌ", "ご案内"),
      ExcludedPosting(ExclusionReason::Duplicate, 1, 9, "abc00003", "花子", "Re:ご案内"),
  };
}

void TestTExpMesForm::rowsAndCountOnShowing() {
  TExpMesForm form(store_, &owner_);
  form.show();
  QCOMPARE(form.windowTitle(), U("集計から除外した発言の確認 一覧"));
  QCOMPARE(form.pos(), CenteredTopLeft(owner_.frameGeometry(), form.frameGeometry().size()));
  const QStringList headings = {U("室"), U("番号"), U("種別"), U("ID"), U("ﾊﾝﾄﾞﾙ"), U("題名")};
  const int widths[] = {24, 48, 48, 72, 100, 216};
  for (int column = 0; column < 6; ++column) {
    QCOMPARE(List(form)->headerItem()->text(column), headings[column]);
    QCOMPARE(List(form)->columnWidth(column), widths[column]);
  }
  QCOMPARE(ColumnText(form, 0), U("1|1|3"));
  QCOMPARE(ColumnText(form, 1), U("9|100|12"));
  QCOMPARE(ColumnText(form, 2), U("重複|ID|ﾀｲﾄﾙ"));
  QCOMPARE(ColumnText(form, 5), U("Re:ご案内|ご案内|【連絡】集会"));
  QVERIFY(List(form)->topLevelItem(0)->textAlignment(1) & Qt::AlignRight);
  QVERIFY(List(form)->topLevelItem(0)->textAlignment(3) & Qt::AlignLeft);
  QCOMPARE(form.findChild<QLabel*>("Label1")->text(), U("除外発言：3 件"));
  QCOMPARE(List(form)->font().family(), JapaneseFixedFamily());  // the fixed-pitch font
  form.findChild<QPushButton*>("BitBtn1")->click();
  QCOMPARE(form.result(), int(QDialog::Accepted));
}

void TestTExpMesForm::headingClickSorts_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<int>("direction");
  QTest::addColumn<QString>("ids");
  QTest::newRow("number, ascending: room then number") << 1 << 0 << U("abc00003|XYZ00002|ABC00001");
  QTest::newRow("number, descending") << 1 << 1 << U("ABC00001|XYZ00002|abc00003");
  QTest::newRow("ID ignores letter case") << 3 << 0 << U("ABC00001|abc00003|XYZ00002");
  QTest::newRow("reason, descending") << 2 << 1 << U("ABC00001|abc00003|XYZ00002");
}

void TestTExpMesForm::headingClickSorts() {
  QFETCH(int, column);
  QFETCH(int, direction);
  QFETCH(QString, ids);
  TExpMesForm form(store_, &owner_);
  form.show();
  Direction(form)->SetItemIndex(direction);
  ClickHeading(form, column);
  QCOMPARE(form.SortColumn(), column);
  QCOMPARE(ColumnText(form, 3), ids);
  form.accept();
}

void TestTExpMesForm::directionKeptBetweenShowings() {
  TExpMesForm form(store_, &owner_);
  form.show();
  ClickHeading(form, 5);  // by bytes: "R" < "【" (0x81) < "ご" (0x82)
  QCOMPARE(ColumnText(form, 5), U("Re:ご案内|【連絡】集会|ご案内"));
  ClickDirection(form, 1);  // re-sorts by the remembered column
  QCOMPARE(ColumnText(form, 5), U("ご案内|【連絡】集会|Re:ご案内"));
  form.accept();
  form.show();  // sorted by room again, in the direction chosen
  QCOMPARE(form.SortColumn(), 0);
  QCOMPARE(Direction(form)->ItemIndex(), 1);
  QCOMPARE(ColumnText(form, 1), U("12|100|9"));
  form.accept();
}

QTEST_MAIN(TestTExpMesForm)
#include "tst_texpmesform.moc"
