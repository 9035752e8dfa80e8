// The page "集計期間": the target range that every report reads (by number
// or by date), the report options every tally shares, and the reading
// options of the reading run.
#pragma once

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "core/read_run.h"
#include "settings/settings.h"
#include "settings/startup_rules.h"
#include "tally/tally_settings.h"
#include "ui/widgets/radio_group.h"

namespace tobrel {

class TSaNumEdit;

class RangePage : public QWidget {
  Q_OBJECT

 public:
  explicit RangePage(QWidget* parent = nullptr);

  // The target range and the shared report options (no same-person mapping).
  TallySettings Settings() const;
  ReadOptions Reading() const;

  // From the stored settings at start-up, and back into them at close.
  void Load(const TobrelSettings& settings, const TargetDates& dates);
  void Store(TobrelSettings& settings) const;

 signals:
  void TargetKindChanged(TargetKind kind);
  // "除外発言の設定...(&V)" was pressed.
  void OmitSettingsRequested();

 private:
  void KindChosen(int index);

  TRadioGroup* kind_;
  TSaNumEdit* first_number_;
  TSaNumEdit* last_number_;
  QDateEdit* first_day_;
  QDateEdit* last_day_;
  QCheckBox* top100_;
  QCheckBox* hide_ids_;
  QCheckBox* keep_dates_;
  QCheckBox* minimize_;
  QCheckBox* restore_;
  QCheckBox* delimiter_only_;
  QCheckBox* use_exclusion_;
  QCheckBox* interway_;
  QPushButton* omit_settings_;
};

}  // namespace tobrel
