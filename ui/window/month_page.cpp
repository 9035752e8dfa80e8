#include "ui/window/month_page.h"

#include <QGridLayout>
#include <QSignalBlocker>

#include "ui/widgets/qt_text.h"

namespace tobrel {
namespace {

QSpinBox* SpinField(const char* name, int minimum, int maximum, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(minimum, maximum);
  // The text cannot be typed; the arrows step it.
  if (auto* field = spin->findChild<QLineEdit*>()) field->setReadOnly(true);
  return spin;
}

}  // namespace

MonthPage::MonthPage(QWidget* parent) : QWidget(parent) {
  setObjectName("TabSheet8");
  kind_ = new TRadioGroup("RadioGroup7", QStringLiteral("集計種別(&O)"),
                         {QStringLiteral("月間発言数集計"), QStringLiteral("月間文字数集計"),
                          QStringLiteral("ID別月間集計")},
                         1, this);
  from_year_ = SpinField("FromYear", 0, 9999, this);
  from_month_ = SpinField("FromMonth", 0, 13, this);
  to_year_ = SpinField("ToYear", 0, 9999, this);
  to_month_ = SpinField("ToMonth", 0, 13, this);
  id_label_ = new QLabel(QStringLiteral("対象&ID"), this);
  id_label_->setObjectName("Label3");
  target_id_ = new QLineEdit(this);
  target_id_->setObjectName("MaskEdit1");
  target_id_->setInputMask("AAA00000;_");
  id_label_->setBuddy(target_id_);
  auto* from_label = new QLabel(QStringLiteral("Fro&m"), this);
  from_label->setBuddy(from_year_);
  auto* to_label = new QLabel(QStringLiteral("&To"), this);
  to_label->setBuddy(to_year_);

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(kind_, 0, 0, 4, 1);
  layout->addWidget(from_label, 0, 1);
  layout->addWidget(from_year_, 0, 2);
  layout->addWidget(from_month_, 0, 3);
  layout->addWidget(to_label, 1, 1);
  layout->addWidget(to_year_, 1, 2);
  layout->addWidget(to_month_, 1, 3);
  layout->addWidget(id_label_, 2, 1);
  layout->addWidget(target_id_, 2, 2, 1, 2);
  layout->setRowStretch(4, 1);  // a taller page keeps the controls at its top

  connect(kind_, &TRadioGroup::ItemClicked, this, [this](int kind) {
    const bool enabled = TargetIdEnabled(static_cast<MonthKind>(kind));
    id_label_->setEnabled(enabled);
    target_id_->setEnabled(enabled);
  });
  connect(from_month_, &QSpinBox::valueChanged, this, [this] { MonthStepped(true); });
  connect(to_month_, &QSpinBox::valueChanged, this, [this] { MonthStepped(false); });
  connect(target_id_, &QLineEdit::editingFinished, this, [this] {
    target_id_->setText(FromCp932(UpperCaseTargetId(ToCp932(target_id_->text()))));
  });
  SetOptions(MonthTallyOptions{});
}

MonthTallyOptions MonthPage::Options() const {
  MonthTallyOptions options;
  options.kind = static_cast<MonthKind>(kind_->ItemIndex());
  options.range.from = {from_year_->value(), from_month_->value()};
  options.range.to = {to_year_->value(), to_month_->value()};
  QString id = target_id_->text();
  id.remove('_');
  options.target_id = UpperCaseTargetId(ToCp932(id));
  return options;
}

void MonthPage::SetOptions(const MonthTallyOptions& options) {
  kind_->SetItemIndex(static_cast<int>(options.kind));
  const bool enabled = TargetIdEnabled(options.kind);
  id_label_->setEnabled(enabled);
  target_id_->setEnabled(enabled);
  target_id_->setText(FromCp932(options.target_id));
  ShowRange(options.range);
}

void MonthPage::ShowRange(const MonthRange& range) {
  const QSignalBlocker b1(from_month_), b2(to_month_);
  from_year_->setValue(range.from.year);
  from_month_->setValue(range.from.month);
  to_year_->setValue(range.to.year);
  to_month_->setValue(range.to.month);
}

void MonthPage::MonthStepped(bool from_field) {
  MonthRange range = Options().range;
  if (from_field)
    FromMonthChange(range);
  else
    ToMonthChange(range);
  ShowRange(range);
}

}  // namespace tobrel
