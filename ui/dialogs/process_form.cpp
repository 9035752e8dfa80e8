#include "ui/dialogs/process_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>
#include <filesystem>

#include "core/log_lines.h"
#include "core/posting_assembler.h"
#include "output/log_information.h"
#include "output/process_inputs.h"
#include "ui/widgets/dialog_support.h"
#include "ui/widgets/failure_text.h"
#include "ui/widgets/radio_group.h"
#include "ui/dialogs/text_file_dialog.h"

namespace tobrel {
namespace {

// The output and input dialogs: the same filter, each entry giving a typed
// name its own extension.
void PrepareLogDialog(TTextFileDialog& dialog) {
  dialog.SetFilter(U("(*.LOG)|*.LOG|(*.TXT)|*.TXT|(*.*)|*.*"), {U("LOG"), U("TXT"), QString()});
}

QLineEdit* NumberField(QWidget* parent, const char* name) {
  auto* field = Named(new QLineEdit(parent), name);
  field->setInputMask(QStringLiteral("00000"));  // five places, blanks where nothing is typed
  field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
  return field;
}

QDateEdit* DatePicker(QWidget* parent, const char* name) {
  auto* picker = Named(new QDateEdit(parent), name);
  picker->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
  picker->setCalendarPopup(true);
  // The size hint leaves the last digit under the arrow of the calendar.
  picker->setMinimumWidth(picker->sizeHint().width() +
                          picker->fontMetrics().horizontalAdvance(QStringLiteral("00")));
  return picker;
}

QDate ToQDate(DateTime value) {
  const DateTimeParts parts = DecodeDateTime(value);
  return QDate(parts.year, parts.month, parts.day);
}

DateTime FromQDate(const QDate& date) {
  return EncodeDateTime({date.year(), date.month(), date.day()}).value_or(0);
}

// What the run shows itself, and what it hands on to the caller's view.
class DialogRunObserver final : public ProcessObserver {
 public:
  DialogRunObserver(QWidget* owner, ProcessObserver& view) : owner_(owner), view_(view) {}

  void ShowProgress(std::string_view text) override { view_.ShowProgress(text); }
  void SetBusyCursor(bool busy) override {
    if (busy)
      QApplication::setOverrideCursor(Qt::WaitCursor);
    else
      QApplication::restoreOverrideCursor();
  }
  void Refuse(std::string_view message) override { ShowMessageText(owner_, message, true); }
  void ClearResult() override { view_.ClearResult(); }
  void AppendResultLine(std::string_view line) override { view_.AppendResultLine(line); }

 private:
  QWidget* owner_;
  ProcessObserver& view_;
};

}  // namespace

TForm5::TForm5(const Clock& clock, QWidget* parent) : QDialog(parent), clock_(clock) {
  setObjectName(QStringLiteral("Form5"));
  setModal(true);
  setWindowTitle(U("Tobrel ログ加工出力 設定"));
  CreateControls();
  LayOutControls();
  ShowSettings(DefaultProcessSettings(clock_.Now()));
}

void TForm5::CreateControls() {
  ComboBox1 = Named(new QComboBox(this), "ComboBox1");
  ComboBox1->setEditable(false);
  ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  ComboBox1->setMinimumContentsLength(40);
  ComboBox1->installEventFilter(this);
  Button2 = Named(new QPushButton(U("追加(&A)"), this), "Button2");
  StaticText1 = Named(new QLabel(this), "StaticText1");
  StaticText1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  StaticText1->setToolTip(U("加工されたログファイルの出力先 Ｄ＆Ｄでも選択できます"));
  StaticText1->setAcceptDrops(true);
  StaticText1->setTextInteractionFlags(Qt::NoTextInteraction);
  StaticText1->installEventFilter(this);
  Button1 = Named(new QPushButton(U("参照"), this), "Button1");
  Button1->setToolTip(U("出力先の選択参照"));

  CheckBox1 = Named(new QCheckBox(U("最終発言番号を揃える(&N)"), this), "CheckBox1");
  MaskEdit1 = NumberField(this, "MaskEdit1");
  MaskEdit1->setToolTip(U("揃える最終発言番号(99999/nnnnn 3桁会議室で不正な値の場合は設定に関わらず999となります)"));
  RadioGroup2 = new TRadioGroup(QStringLiteral("RadioGroup2"), U("期間指定(&P)"),
                                {U("番号"), U("日付")}, 2, this);
  MaskEdit2 = NumberField(this, "MaskEdit2");
  MaskEdit3 = NumberField(this, "MaskEdit3");
  DateTimePicker1 = DatePicker(this, "DateTimePicker1");
  DateTimePicker2 = DatePicker(this, "DateTimePicker2");
  StaticText2 = Named(new QLabel(this), "StaticText2");
  StaticText2->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

  CheckBox2 = Named(new QCheckBox(U("ﾃﾞﾘﾐﾀ(&D)"), this), "CheckBox2");
  CheckBox3 = Named(new QCheckBox(U("&EOF"), this), "CheckBox3");
  CheckBox4 = Named(new QCheckBox(U("&TAB"), this), "CheckBox4");
  CheckBox7 = Named(new QCheckBox(U("行末のｽﾍﾟｰｽ(&S)"), this), "CheckBox7");
  CheckBox5 = Named(new QCheckBox(U("ｺﾒﾝﾄ数の再計算(&R)"), this), "CheckBox5");
  CheckBox6 = Named(new QCheckBox(U("削除発言は出力しない(&X)"), this), "CheckBox6");
  RadioGroup1 = new TRadioGroup(QStringLiteral("RadioGroup1"), U("会議室ﾍｯﾀﾞを(&H)"),
                                {U("全て削除しない"), U("全て削除")}, 2, this);

  BitBtn1 = Named(new QPushButton(U("&OK"), this), "BitBtn1");
  BitBtn2 = Named(new QPushButton(U("ｷｬﾝｾﾙ(&N)"), this), "BitBtn2");
  BitBtn3 = Named(new QPushButton(U("ログの情報表示(&F)"), this), "BitBtn3");
  for (QPushButton* button : {Button1, Button2, BitBtn2, BitBtn3}) button->setAutoDefault(false);
  BitBtn1->setDefault(true);

  connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm5::Button2Click);
  connect(BitBtn3, &QPushButton::clicked, this, &TForm5::BitBtn3Click);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  connect(CheckBox1, &QCheckBox::clicked, this, &TForm5::CheckBox1Click);
  connect(RadioGroup2, &TRadioGroup::ItemClicked, this, &TForm5::RadioGroup2Click);
  connect(DateTimePicker1, &QDateEdit::dateChanged, this, &TForm5::ShowRange);
  connect(DateTimePicker2, &QDateEdit::dateChanged, this, &TForm5::ShowRange);
  for (QLineEdit* field : {MaskEdit1, MaskEdit2, MaskEdit3}) field->installEventFilter(this);
}

void TForm5::LayOutControls() {
  auto* files = new QGridLayout;
  auto* input_label = Named(new QLabel(U("入力ログファイル名(&I)"), this), "Label1");
  input_label->setBuddy(ComboBox1);
  auto* output_label = Named(new QLabel(U("出力先ファイル名(&O)"), this), "Label2");
  output_label->setBuddy(Button1);
  files->addWidget(input_label, 0, 0, 1, 2);
  files->addWidget(ComboBox1, 1, 0);
  files->addWidget(Button2, 1, 1);
  files->addWidget(output_label, 2, 0, 1, 2);
  files->addWidget(StaticText1, 3, 0);
  files->addWidget(Button1, 3, 1);
  files->setColumnStretch(0, 1);

  auto* align = new QHBoxLayout;
  align->addSpacing(20);
  align->addWidget(Named(new QLabel(QStringLiteral("99999/"), this), "Label3"));
  align->addWidget(MaskEdit1);
  align->addStretch();

  auto* range = new QGroupBox(U("出力対象期間"), this);
  range->setObjectName(QStringLiteral("GroupBox2"));
  auto* range_grid = new QGridLayout(range);
  range_grid->addWidget(RadioGroup2, 0, 0, 1, 3);
  range_grid->addWidget(MaskEdit2, 1, 0);
  range_grid->addWidget(new QLabel(U("～"), range), 1, 1);
  range_grid->addWidget(MaskEdit3, 1, 2);
  range_grid->addWidget(DateTimePicker1, 2, 0);
  range_grid->addWidget(new QLabel(U("～"), range), 2, 1);
  range_grid->addWidget(DateTimePicker2, 2, 2);
  range_grid->addWidget(StaticText2, 3, 0, 1, 3);
  range_grid->setColumnStretch(3, 1);

  auto* removals = new QGroupBox(U("制御ｺｰﾄﾞ等の削除"), this);
  removals->setObjectName(QStringLiteral("GroupBox1"));
  auto* removal_grid = new QGridLayout(removals);
  removal_grid->addWidget(CheckBox2, 0, 0);
  removal_grid->addWidget(CheckBox3, 0, 1);
  removal_grid->addWidget(CheckBox4, 1, 0);
  removal_grid->addWidget(CheckBox7, 1, 1);

  auto* left = new QVBoxLayout;
  left->addWidget(CheckBox1);
  left->addLayout(align);
  left->addWidget(range);
  left->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(removals);
  right->addWidget(CheckBox5);
  right->addWidget(CheckBox6);
  right->addWidget(RadioGroup1);
  right->addStretch();
  auto* options = new QHBoxLayout;
  options->addLayout(left);
  options->addLayout(right);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BitBtn3);
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(files);
  layout->addSpacing(6);
  layout->addLayout(options);
  layout->addSpacing(6);
  layout->addLayout(buttons);
}

void TForm5::ShowSettings(const ProcessSettings& settings) {
  CheckBox1->setChecked(settings.align);
  MaskEdit1->setText(QString::fromStdString(settings.align_number));
  RadioGroup2->SetItemIndex(settings.range == ProcessRangeKind::ByDate ? 1 : 0);
  MaskEdit2->setText(QString::fromStdString(settings.first_number));
  MaskEdit3->setText(QString::fromStdString(settings.last_number));
  DateTimePicker1->setDate(ToQDate(settings.first_date));
  DateTimePicker2->setDate(ToQDate(settings.last_date));
  CheckBox2->setChecked(settings.strip_delimiters);
  CheckBox3->setChecked(settings.strip_eof);
  CheckBox4->setChecked(settings.strip_tabs);
  CheckBox7->setChecked(settings.strip_trailing);
  CheckBox5->setChecked(settings.recount);
  CheckBox6->setChecked(settings.drop_deleted);
  RadioGroup1->SetItemIndex(settings.drop_room_headers ? 1 : 0);
  EnableControls();
  ShowRange();
}

ProcessSettings TForm5::Settings() const {
  ProcessSettings settings;
  const int chosen = ComboBox1->currentIndex();
  if (chosen >= 0 && chosen < static_cast<int>(inputs_.size())) settings.input = inputs_[chosen];
  settings.output = output_;
  settings.align = CheckBox1->isChecked();
  settings.align_number = MaskEdit1->displayText().toStdString();
  settings.range = RadioGroup2->ItemIndex() == 1 ? ProcessRangeKind::ByDate : ProcessRangeKind::ByNumber;
  settings.first_number = MaskEdit2->displayText().toStdString();
  settings.last_number = MaskEdit3->displayText().toStdString();
  settings.first_date = FromQDate(DateTimePicker1->date());
  settings.last_date = FromQDate(DateTimePicker2->date());
  settings.strip_delimiters = CheckBox2->isChecked();
  settings.strip_eof = CheckBox3->isChecked();
  settings.strip_tabs = CheckBox4->isChecked();
  settings.strip_trailing = CheckBox7->isChecked();
  settings.recount = CheckBox5->isChecked();
  settings.drop_deleted = CheckBox6->isChecked();
  settings.drop_room_headers = RadioGroup1->ItemIndex() == 1;
  return NormalizedProcessSettings(settings);
}

void TForm5::SetInputFiles(const std::vector<std::string>& files) {
  inputs_ = ProcessInputList(files);
  ShowInputs(-1);
  SetOutput({});
}

void TForm5::ShowInputs(int chosen) {
  ComboBox1->clear();
  for (const std::string& input : inputs_) ComboBox1->addItem(PathText(input));
  ComboBox1->setCurrentIndex(chosen);
}

void TForm5::SetOutput(const std::string& native_path) {
  output_ = native_path;
  StaticText1->setText(PathText(native_path));
}

void TForm5::NormalizeField(QLineEdit* field, ProcessNumberField kind) {
  field->setText(QString::fromStdString(NormalizeProcessNumber(field->displayText().toStdString(), kind)));
  if (kind != ProcessNumberField::Align) ShowRange();
}

void TForm5::EnableControls() {
  const ProcessControls enabled = ProcessControlsFor(Settings());
  MaskEdit1->setEnabled(enabled.align_number);
  MaskEdit2->setEnabled(enabled.number_fields);
  MaskEdit3->setEnabled(enabled.number_fields);
  DateTimePicker1->setEnabled(enabled.date_pickers);
  DateTimePicker2->setEnabled(enabled.date_pickers);
}

void TForm5::ShowRange() { StaticText2->setText(FromCp932(ProcessRangeDisplay(Settings()))); }

void TForm5::CheckBox1Click() {
  EnableControls();
  if (CheckBox1->isChecked()) MaskEdit1->setFocus();
}

void TForm5::RadioGroup2Click() {
  EnableControls();
  if (isVisible()) {
    if (RadioGroup2->ItemIndex() == 1)
      DateTimePicker1->setFocus();
    else
      MaskEdit2->setFocus();
  }
  ShowRange();
}

void TForm5::Button1Click() {
  TTextFileDialog dialog(TTextFileDialog::Kind::Save, U("加工したﾛｸﾞの出力先の指定"), this);
  PrepareLogDialog(dialog);
  if (last_output_choice_.empty()) {
    dialog.setDirectory(QDir::homePath());
  } else {
    dialog.selectFile(FromNative(last_output_choice_));
    if (!output_.empty())
      dialog.setDirectory(FromNative(std::filesystem::path(output_).parent_path().string()));
  }
  const std::optional<std::string> path = ChosenFile(dialog);
  if (!path) return;
  last_output_choice_ = *path;
  SetOutput(*path);
}

void TForm5::Button2Click() {
  TTextFileDialog dialog(TTextFileDialog::Kind::Open, QString(), this);
  PrepareLogDialog(dialog);
  if (const std::optional<std::string> path = ChosenFile(dialog))
    ShowInputs(static_cast<int>(AddProcessInput(inputs_, *path)));
}

void TForm5::BitBtn3Click() {
  const std::string input = Settings().input;
  if (input.empty()) return;
  std::vector<std::string> lines;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    lines = LogInformationLines(input);
  } catch (const Failure& error) {
    QApplication::restoreOverrideCursor();
    if (error.kind() == FailureKind::InvalidLog)
      return ShowPlatformError(this, PathText(input) + QStringLiteral("(%1): ").arg(error.line()) +
                                         QString::fromStdString(error.message()));
    if (error.kind() == FailureKind::FileUnreadable)
      return ShowPlatformError(this, FailureText(error));
    throw;
  }
  QApplication::restoreOverrideCursor();
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  text.pop_back();
  ShowMessageText(this, text, true);
}

ProcessResult TForm5::ProcessLogOutput(ProcessObserver& view) {
  QWidget* owner = parentWidget() ? parentWidget()->window() : this;
  DialogRunObserver observer(owner, view);
  ProcessResult result = tobrel::ProcessLogOutput(Settings(), clock_, observer, recount_list_);
  if (result.status == ProcessStatus::ReadFailed || result.status == ProcessStatus::WriteFailed)
    ShowPlatformError(owner, FromCp932(result.message));
  return result;
}

void TForm5::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {  // opened, not restored by the window system
    EnableControls();
    ShowRange();
    ComboBox1->setFocus();
    CenterOverParent(this);
  }
  QDialog::showEvent(event);
}

void TForm5::hideEvent(QHideEvent* event) {
  NormalizeField(MaskEdit1, ProcessNumberField::Align);
  NormalizeField(MaskEdit2, ProcessNumberField::First);
  NormalizeField(MaskEdit3, ProcessNumberField::Last);
  QDialog::hideEvent(event);
}

bool TForm5::eventFilter(QObject* watched, QEvent* event) {
  if (watched == StaticText1 && event->type() == QEvent::DragEnter) {
    auto* drag = static_cast<QDragEnterEvent*>(event);
    if (drag->mimeData()->hasUrls()) drag->acceptProposedAction();
    return true;
  }
  if (watched == StaticText1 && event->type() == QEvent::Drop) {
    const QList<QUrl> urls = static_cast<QDropEvent*>(event)->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile()) SetOutput(ToNative(urls.first().toLocalFile()));
    return true;
  }
  if (event->type() == QEvent::FocusOut) {  // leaving a number field
    if (watched == MaskEdit1) NormalizeField(MaskEdit1, ProcessNumberField::Align);
    if (watched == MaskEdit2) NormalizeField(MaskEdit2, ProcessNumberField::First);
    if (watched == MaskEdit3) NormalizeField(MaskEdit3, ProcessNumberField::Last);
  }
  if (watched == ComboBox1 && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && key->modifiers() == Qt::ShiftModifier && !Settings().input.empty()) {
      QDesktopServices::openUrl(QUrl::fromLocalFile(FromNative(Settings().input)));
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace tobrel
