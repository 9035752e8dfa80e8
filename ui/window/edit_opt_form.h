// TEditOptForm: the settings of the external editor (where the result is
// written, which editor opens it, the header and footer, and the file's
// encoding), filled from the settings and taken back on OK.
#pragma once

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "settings/settings.h"

namespace tobrel {

class TEditOptForm : public QDialog {
  Q_OBJECT

 public:
  TEditOptForm(const TobrelSettings& settings, QWidget* parent);
  // Puts the six settings (and the encoding) back into `settings`.
  void Store(TobrelSettings& settings) const;

 private:
  void KindChosen(int kind);
  static void ShowPosition(QLabel* label, const QLineEdit* field);

  QButtonGroup* kind_;
  QLabel* folder_label_;
  QLineEdit* folder_;
  QPushButton* folder_button_;
  QLabel* file_label_;
  QLineEdit* file_name_;
  QLineEdit* editor_;
  QLineEdit* header_;
  QLineEdit* footer_;
  QComboBox* encoding_;
};

}  // namespace tobrel
