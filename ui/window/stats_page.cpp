#include "ui/window/stats_page.h"

#include <QVBoxLayout>

namespace tobrel {

StatsPage::StatsPage(QWidget* parent) : QWidget(parent) {
  setObjectName("TabSheet7");
  rooms_ = new QCheckBox(QStringLiteral("会議室情報を出力する(&J)"), this);
  rooms_->setObjectName("CheckBox9");
  titles_ = new QCheckBox(QStringLiteral("発言タイトルリストを作成する(&L)"), this);
  titles_->setObjectName("CheckBox7");
  title_form_ = new TRadioGroup("RadioGroup6", 
      QString(), {QStringLiteral("ﾀｲﾄﾙ一覧表示形式"), QStringLiteral("ＲＴｺﾏﾝﾄﾞ形式")}, 2, this);
  missing_ = new QCheckBox(QStringLiteral("欠番チェックを行う (番号指定時のみ)(&N)"), this);
  missing_->setObjectName("CheckBox8");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->addWidget(rooms_);
  layout->addWidget(titles_);
  layout->addWidget(title_form_);
  layout->addWidget(missing_);
  layout->addStretch();
  connect(titles_, &QCheckBox::toggled, title_form_, &QWidget::setEnabled);
  SetOptions(StatsTallyOptions{});
}

StatsTallyOptions StatsPage::Options() const {
  StatsTallyOptions options;
  options.room_information = rooms_->isChecked();
  options.title_list = titles_->isChecked();
  options.title_form = static_cast<TitleListForm>(title_form_->ItemIndex());
  options.missing_numbers = missing_->isChecked() && missing_->isEnabled();
  return options;
}

void StatsPage::SetOptions(const StatsTallyOptions& options) {
  rooms_->setChecked(options.room_information);
  titles_->setChecked(options.title_list);
  title_form_->setEnabled(options.title_list);
  title_form_->SetItemIndex(static_cast<int>(options.title_form));
  missing_->setChecked(options.missing_numbers);
}

void StatsPage::TargetKindChanged(TargetKind kind) {
  missing_->setChecked(false);
  missing_->setEnabled(MissingNumberCheckEnabled(kind));
}

}  // namespace tobrel
