// TRadioGroup: a titled frame of radio buttons with one chosen item, given
// by its index; the dialogs' choices such as "並び順(&S)" or "期間指定(&P)".
// The buttons are named after the group: "<group name>Item<index>".
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace tobrel {

class TRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  // `items` laid out in `columns` columns, row by row; item 0 is chosen.
  TRadioGroup(const QString& object_name, const QString& title, const QStringList& items,
              int columns, QWidget* parent = nullptr);

  int ItemIndex() const;
  // Chooses item `index` without emitting ItemClicked.
  void SetItemIndex(int index);

 signals:
  // The user clicked item `index`.
  void ItemClicked(int index);

 private:
  QButtonGroup* buttons_;
};

}  // namespace tobrel
