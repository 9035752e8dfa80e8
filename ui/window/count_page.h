// The option page "発言集計": the order of the posting-count tally and the
// time tables to append.
#pragma once

#include <QCheckBox>
#include <QWidget>

#include "tally/count_tally.h"
#include "ui/widgets/radio_group.h"

namespace tobrel {

class CountPage : public QWidget {
 public:
  explicit CountPage(QWidget* parent = nullptr);
  CountTallyOptions Options() const;

 private:
  TRadioGroup* order_;
  QCheckBox* time_tables_[6];
};

}  // namespace tobrel
