#include "ui/radio_group.h"

#include <QGridLayout>
#include <QRadioButton>

namespace tobrel {

RadioGroup::RadioGroup(const QString& title, const QStringList& items, int columns,
                       QWidget* parent)
    : QGroupBox(title, parent), buttons_(new QButtonGroup(this)) {
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(6, 2, 6, 2);
  layout->setSpacing(1);
  const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    buttons_->addButton(button, i);
    layout->addWidget(button, i % rows, i / rows);
  }
  SetItemIndex(0);
  connect(buttons_, &QButtonGroup::idClicked, this, &RadioGroup::ItemChosen);
}

void RadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* button = buttons_->button(index)) button->setChecked(true);
}

}  // namespace tobrel
