#include "ui/window/comment_page.h"

#include <QHBoxLayout>

namespace tobrel {

CommentPage::CommentPage(QWidget* parent) : QWidget(parent) {
  setObjectName("TabSheet4");
  order_ = new TRadioGroup("RadioGroup4", QStringLiteral("集計順 (&O)"),
                          {QStringLiteral("ID別被コメント数"), QStringLiteral("ID別被コメント率"),
                           QStringLiteral("発言別被コメント数")},
                          1, this);
  limit_ = new TRadioGroup("RadioGroup5", QStringLiteral("上位...(&U)"),
                          {QStringLiteral("30位まで"), QStringLiteral("20位まで"),
                           QStringLiteral("10位まで"), QStringLiteral("すべて")},
                          1, this);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  // A taller page keeps the two groups at its top.
  layout->addWidget(order_, 3, Qt::AlignTop);
  layout->addWidget(limit_, 2, Qt::AlignTop);
}

CommentTallyOptions CommentPage::Options() const {
  return {static_cast<CommentOrder>(order_->ItemIndex()),
          static_cast<CommentLimit>(limit_->ItemIndex())};
}

}  // namespace tobrel
