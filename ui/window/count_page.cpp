#include "ui/window/count_page.h"

#include <QGridLayout>

namespace tobrel {

CountPage::CountPage(QWidget* parent) : QWidget(parent) {
  setObjectName("TabSheet2");
  order_ = new TRadioGroup("RadioGroup2", QStringLiteral("集計順 (&O)"),
                          {QStringLiteral("発言数順"), QStringLiteral("発言文字数順"),
                           QStringLiteral("発言数順（累計)"), QStringLiteral("発言文字数順(累計)")},
                          1, this);
  static const char* const kNames[6] = {"CheckBox1", "CheckBox2",  "CheckBox3",
                                        "CheckBox4", "CheckBox13", "CheckBox14"};
  const QString captions[6] = {QStringLiteral("日付別集計(&D)"),   QStringLiteral("月別集計(&M)"),
                               QStringLiteral("時間帯別集計(&T)"), QStringLiteral("曜日別集計(&W)"),
                               QStringLiteral("ID別時間帯集計（&I)"),
                               QStringLiteral("曜日別時間帯集計(&Z)")};
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(2, 2, 0, 2);
  layout->setVerticalSpacing(0);
  layout->setHorizontalSpacing(2);
  layout->addWidget(order_, 0, 0, 6, 1);
  for (int i = 0; i < 6; ++i) {
    time_tables_[i] = new QCheckBox(captions[i], this);
    time_tables_[i]->setObjectName(kNames[i]);
    layout->addWidget(time_tables_[i], i, 1);
  }
  layout->setRowStretch(6, 1);  // a taller page keeps the controls at its top
}

CountTallyOptions CountPage::Options() const {
  CountTallyOptions options;
  options.order = static_cast<CountOrder>(order_->ItemIndex());
  options.time_tables = {time_tables_[0]->isChecked(), time_tables_[1]->isChecked(), time_tables_[2]->isChecked(),
                    time_tables_[3]->isChecked(), time_tables_[4]->isChecked(), time_tables_[5]->isChecked()};
  return options;
}

}  // namespace tobrel
