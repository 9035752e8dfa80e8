// TAboutBox: the version window: the program's name, its version, what it
// does and under which licence it is given, with a button for Qt's own
// notice.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tobrel {

class TBlinkLabel;
class TMultiLineLabel;

// The version the build was configured with ("0.1.0").
QString ProgramVersion();

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TBlinkLabel* ProductName = nullptr;
  QLabel* Version = nullptr;
  TMultiLineLabel* Comments = nullptr;
  TMultiLineLabel* Copyright = nullptr;
  QPushButton* AboutQtButton = nullptr;
  QPushButton* OKButton = nullptr;
};

}  // namespace tobrel
