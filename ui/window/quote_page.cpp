#include "ui/window/quote_page.h"

#include <QGridLayout>
#include <QLabel>

#include "ui/widgets/qt_text.h"

namespace tobrel {

QuotePage::QuotePage(QWidget* parent) : QWidget(parent) {
  setObjectName("TabSheet3");
  order_ = new TRadioGroup("RadioGroup3", QStringLiteral("集計順 (&O)"),
                          {QStringLiteral("発言数順"), QStringLiteral("発言文字数順"),
                           QStringLiteral("本文文字数順"), QStringLiteral("引用文字数順")},
                          2, this);
  pattern_ = new QLineEdit(this);
  pattern_->setObjectName("Edit1");
  pattern_->setReadOnly(true);
  auto* label = new QLabel(QStringLiteral("引用文字列の正規表現(&R)"), this);
  label->setBuddy(pattern_);
  set_button_ = new QPushButton(QStringLiteral("設定(&G)"), this);
  set_button_->setObjectName("Button1");
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(order_, 0, 0, 1, 2);
  layout->addWidget(label, 1, 0, 1, 2);
  layout->addWidget(pattern_, 2, 0);
  layout->addWidget(set_button_, 2, 1);
  layout->setRowStretch(3, 1);
}

void QuotePage::ShowPattern(std::string_view pattern) {
  pattern_->setText(FromCp932(pattern));
  pattern_->setCursorPosition(0);
}

}  // namespace tobrel
