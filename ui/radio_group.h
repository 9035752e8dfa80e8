// A titled group of radio buttons whose chosen item is an index, as the
// option pages use them.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

namespace tobrel {

class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent);
  int ItemIndex() const { return buttons_->checkedId(); }
  void SetItemIndex(int index);

 signals:
  void ItemChosen(int index);

 private:
  QButtonGroup* buttons_;
};

}  // namespace tobrel
