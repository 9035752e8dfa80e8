#include "ui/widgets/radio_group.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace tobrel {

TRadioGroup::TRadioGroup(const QString& object_name, const QString& title,
                         const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(title, parent), buttons_(new QButtonGroup(this)) {
  setObjectName(object_name);
  auto* layout = new QGridLayout(this);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    button->setObjectName(object_name + QStringLiteral("Item") + QString::number(i));
    buttons_->addButton(button, i);
    layout->addWidget(button, i / columns, i % columns);
  }
  SetItemIndex(0);
  connect(buttons_, &QButtonGroup::idClicked, this, &TRadioGroup::ItemClicked);
}

int TRadioGroup::ItemIndex() const { return buttons_->checkedId(); }

void TRadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* button = buttons_->button(index)) button->setChecked(true);
}

}  // namespace tobrel
