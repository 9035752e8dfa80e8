// TForm5: the settings dialog of the log processing output. It holds the
// settings between showings (the input list and the output field are
// refilled for each one), shows the log information of the chosen input,
// and runs the processing for the window after OK: the busy cursor, the
// refusals and failures are its own; the account lines and the progress
// texts go to the caller's result view and status bar.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "core/article_rec.h"
#include "output/process_observer.h"
#include "output/process_run.h"
#include "output/process_settings.h"
#include "platform/clock.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tobrel {

class TRadioGroup;

class TForm5 : public QDialog {
  Q_OBJECT

 public:
  // The defaults take today's date from `clock`, which must outlive the
  // dialog.
  explicit TForm5(const Clock& clock, QWidget* parent = nullptr);

  // Before showing: the input list becomes the window's `files` (native
  // paths, sorted) with none chosen yet, and the output field is emptied.
  void SetInputFiles(const std::vector<std::string>& files);

  // The settings as the controls hold them, number fields normalised.
  ProcessSettings Settings() const;

  // The run after OK, with the settings of the moment. The account lines
  // and ".....終了！" go to `view`'s result lines, the recount's text to its
  // progress; a refusal or a failure is shown in a message box over the
  // window that opened the dialog.
  ProcessResult ProcessLogOutput(ProcessObserver& view);

  // The dialog's own commands.
  void Button1Click();   // "参照": the output file
  void Button2Click();   // "追加(&A)": an input file
  void BitBtn3Click();   // "ログの情報表示(&F)"

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void LayOutControls();
  void ShowSettings(const ProcessSettings& settings);
  void ShowInputs(int chosen);  // -1: none
  void SetOutput(const std::string& native_path);
  void NormalizeField(QLineEdit* field, ProcessNumberField kind);
  void EnableControls();
  void ShowRange();
  void CheckBox1Click();
  void RadioGroup2Click();

  const Clock& clock_;
  std::vector<std::string> inputs_;  // native paths as ComboBox1 lists them
  std::string output_;               // native path shown in StaticText1
  std::string last_output_choice_;   // the save dialog's file name from an earlier use
  std::vector<ArticleRec> recount_list_;  // the run's RecountList, kept between runs

  QComboBox* ComboBox1;       // "入力ログファイル名(&I)"
  QPushButton* Button2;       // "追加(&A)"
  QLabel* StaticText1;        // the output file
  QPushButton* Button1;       // "参照"
  QCheckBox* CheckBox1;       // "最終発言番号を揃える(&N)"
  QLineEdit* MaskEdit1;
  TRadioGroup* RadioGroup2;   // "期間指定(&P)"
  QLineEdit* MaskEdit2;
  QLineEdit* MaskEdit3;
  QDateEdit* DateTimePicker1;
  QDateEdit* DateTimePicker2;
  QLabel* StaticText2;        // the range display
  QCheckBox* CheckBox2;       // "ﾃﾞﾘﾐﾀ(&D)"
  QCheckBox* CheckBox3;       // "&EOF"
  QCheckBox* CheckBox4;       // "&TAB"
  QCheckBox* CheckBox7;       // "行末のｽﾍﾟｰｽ(&S)"
  QCheckBox* CheckBox5;       // "ｺﾒﾝﾄ数の再計算(&R)"
  QCheckBox* CheckBox6;       // "削除発言は出力しない(&X)"
  TRadioGroup* RadioGroup1;   // "会議室ﾍｯﾀﾞを(&H)"
  QPushButton* BitBtn1;       // "&OK"
  QPushButton* BitBtn2;       // "ｷｬﾝｾﾙ(&N)"
  QPushButton* BitBtn3;       // "ログの情報表示(&F)"
};

}  // namespace tobrel
