// The option page "月別集計": the kind of the monthly tally, its month range
// (year and month spin fields that carry over the year) and the target ID.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QWidget>

#include "tally/monthly_tally.h"
#include "ui/widgets/radio_group.h"

namespace tobrel {

class MonthPage : public QWidget {
 public:
  explicit MonthPage(QWidget* parent = nullptr);
  MonthTallyOptions Options() const;
  void SetOptions(const MonthTallyOptions& options);

 private:
  void ShowRange(const MonthRange& range);
  void MonthStepped(bool from_field);

  TRadioGroup* kind_;
  QSpinBox* from_year_;
  QSpinBox* from_month_;
  QSpinBox* to_year_;
  QSpinBox* to_month_;
  QLabel* id_label_;
  QLineEdit* target_id_;
};

}  // namespace tobrel
