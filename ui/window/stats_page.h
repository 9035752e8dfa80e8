// The option page "統計集計": room information, the title list and its form,
// and the missing-number check (usable only with a target range by number).
#pragma once

#include <QCheckBox>
#include <QWidget>

#include "tally/statistics_report.h"
#include "ui/widgets/radio_group.h"

namespace tobrel {

class StatsPage : public QWidget {
 public:
  explicit StatsPage(QWidget* parent = nullptr);
  StatsTallyOptions Options() const;
  void SetOptions(const StatsTallyOptions& options);
  // Every change of the target kind: the check is unchecked, and usable
  // only by number.
  void TargetKindChanged(TargetKind kind);

 private:
  QCheckBox* rooms_;
  QCheckBox* titles_;
  TRadioGroup* title_form_;
  QCheckBox* missing_;
};

}  // namespace tobrel
