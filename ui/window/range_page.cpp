#include "ui/window/range_page.h"

#include <QGridLayout>
#include <QLabel>

#include "core/target_range_fields.h"
#include "platform/date_time.h"
#include "ui/widgets/number_edit.h"

namespace tobrel {
namespace {

QDate QDateFrom(DateTime value) {
  const DateTimeParts parts = DecodeDateTime(value);
  return QDate(parts.year, parts.month, parts.day);
}

DateTime DateTimeFrom(const QDate& date) {
  DateTimeParts parts;
  parts.year = date.year();
  parts.month = date.month();
  parts.day = date.day();
  return EncodeDateTime(parts).value_or(0);
}

QCheckBox* Box(const QString& caption, const char* name, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

// SaNumEdit1 and SaNumEdit2: up to six digits, range-checked when left.
TSaNumEdit* NumberField(const char* name, const QString& text, bool is_start, QWidget* parent) {
  auto* field = new TSaNumEdit(
      [is_start](std::string_view typed) { return NumberFieldOnExit(typed, is_start); }, text,
      parent);
  field->setObjectName(name);
  return field;
}

}  // namespace

RangePage::RangePage(QWidget* parent) : QWidget(parent) {
  setObjectName("TabSheet1");
  kind_ = new TRadioGroup("RadioGroup1", QStringLiteral("集計種別 (&S)"),
                         {QStringLiteral("番号指定"), QStringLiteral("日付指定")}, 2, this);
  first_number_ = NumberField("SaNumEdit1", "1", true, this);
  last_number_ = NumberField("SaNumEdit2", "65000", false, this);
  first_day_ = new QDateEdit(this);
  first_day_->setObjectName("DateTimePicker1");
  last_day_ = new QDateEdit(this);
  last_day_->setObjectName("DateTimePicker2");
  for (QDateEdit* picker : {first_day_, last_day_}) {
    picker->setDisplayFormat("yyyy/MM/dd");
    picker->setCalendarPopup(true);
    // Never narrower than the date with a few pixels to spare: Qt's own
    // size for the field leaves its last digit touching the edge.
    picker->setMinimumWidth(picker->sizeHint().width() + 4);
  }
  top100_ = Box(QStringLiteral("集計表には上位100位まで(&U)"), "CheckBox12", this);
  hide_ids_ = Box(QStringLiteral("集計表にIDを表示しない(&D)"), "CheckBoxDispID", this);
  keep_dates_ = Box(QStringLiteral("日付を保存(&P)"), "CheckBox16", this);
  minimize_ = Box(QStringLiteral("ﾛｸﾞﾌｧｲﾙの読込み中は最小化(&Y)"), "CheckBox5", this);
  restore_ = Box(QStringLiteral("ﾌｧｲﾙ読込み終了で元に戻す(&E)"), "CheckBox6", this);
  delimiter_only_ = Box(QStringLiteral("発言の区切りをﾃﾞﾘﾐﾀのみで認識(&K)"), "CheckBox10", this);
  use_exclusion_ = Box(QStringLiteral("集計から除外する発言を設定する(&Q)"), "CheckBox11", this);
  interway_ = Box(QStringLiteral("ｲﾝﾀｰｳｪｲのﾛｸﾞ情報を除外(&W)"), "CheckBox15", this);
  restore_->setEnabled(false);
  omit_settings_ = new QPushButton(QStringLiteral("除外発言の設定...(&V)"), this);
  omit_settings_->setObjectName("ButtonOmit");
  omit_settings_->setEnabled(false);
  connect(use_exclusion_, &QCheckBox::toggled, omit_settings_, &QWidget::setEnabled);
  connect(omit_settings_, &QPushButton::clicked, this, &RangePage::OmitSettingsRequested);

  // The controls at their natural sizes, one under the other; the window
  // makes the page as tall as they need.
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(3, 2, 3, 2);
  layout->setVerticalSpacing(1);
  layout->setHorizontalSpacing(4);
  layout->addWidget(kind_, 0, 0, 1, 4);
  layout->addWidget(new QLabel(QStringLiteral("集計開始発言番号"), this), 1, 0);
  layout->addWidget(first_number_, 1, 1);
  layout->addWidget(new QLabel(QStringLiteral("集計開始日"), this), 1, 2);
  layout->addWidget(first_day_, 1, 3);
  layout->addWidget(new QLabel(QStringLiteral("集計終了発言番号"), this), 2, 0);
  layout->addWidget(last_number_, 2, 1);
  layout->addWidget(new QLabel(QStringLiteral("集計終了日"), this), 2, 2);
  layout->addWidget(last_day_, 2, 3);
  QCheckBox* const boxes[] = {top100_,   hide_ids_,       keep_dates_,    minimize_,
                              restore_,  delimiter_only_, use_exclusion_, interway_};
  for (int i = 0; i < 8; ++i) layout->addWidget(boxes[i], 3 + i, 0, 1, 4);
  layout->addWidget(omit_settings_, 11, 0, 1, 2);
  layout->setRowStretch(12, 1);
  first_number_->setFixedWidth(56);
  last_number_->setFixedWidth(56);

  connect(kind_, &TRadioGroup::ItemClicked, this, &RangePage::KindChosen);
  connect(minimize_, &QCheckBox::toggled, this, [this](bool on) {
    restore_->setChecked(false);
    restore_->setEnabled(on);
  });
  KindChosen(0);
}

void RangePage::KindChosen(int index) {
  const TargetRangeControls controls = ControlsForTargetKind(index == 1);
  first_day_->setEnabled(controls.date_pickers_enabled);
  last_day_->setEnabled(controls.date_pickers_enabled);
  first_number_->setEnabled(controls.number_fields_enabled);
  last_number_->setEnabled(controls.number_fields_enabled);
  emit TargetKindChanged(index == 1 ? TargetKind::ByDate : TargetKind::ByNumber);
}

TallySettings RangePage::Settings() const {
  TallySettings settings;
  settings.target.kind = kind_->ItemIndex() == 1 ? TargetKind::ByDate : TargetKind::ByNumber;
  settings.target.first_number = first_number_->text().toStdString();
  settings.target.last_number = last_number_->text().toStdString();
  settings.target.first_day = DateTimeFrom(first_day_->date());
  settings.target.last_day = DateTimeFrom(last_day_->date());
  settings.top100_only = top100_->isChecked();
  settings.hide_ids = hide_ids_->isChecked();
  return settings;
}

ReadOptions RangePage::Reading() const {
  ReadOptions options;
  options.minimize_while_reading = minimize_->isChecked();
  options.restore_after_reading = restore_->isChecked();
  options.delimiter_only = delimiter_only_->isChecked();
  options.use_exclusion = use_exclusion_->isChecked();
  options.exclude_interway = interway_->isChecked();
  return options;
}

void RangePage::Load(const TobrelSettings& settings, const TargetDates& dates) {
  delimiter_only_->setChecked(settings.delimiter_only);
  use_exclusion_->setChecked(settings.omit_id);
  omit_settings_->setEnabled(settings.omit_id);
  hide_ids_->setChecked(settings.hide_ids);
  top100_->setChecked(settings.top100);
  interway_->setChecked(settings.interway);
  keep_dates_->setChecked(settings.keep_dates);
  first_day_->setDate(QDateFrom(dates.from));
  last_day_->setDate(QDateFrom(dates.to));
}

void RangePage::Store(TobrelSettings& settings) const {
  settings.delimiter_only = delimiter_only_->isChecked();
  settings.omit_id = use_exclusion_->isChecked();
  settings.hide_ids = hide_ids_->isChecked();
  settings.top100 = top100_->isChecked();
  settings.interway = interway_->isChecked();
  settings.keep_dates = keep_dates_->isChecked();
  settings.from_date = DateTimeFrom(first_day_->date());
  settings.to_date = DateTimeFrom(last_day_->date());
}

}  // namespace tobrel
