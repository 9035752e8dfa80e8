// TFontDialog: the choice of the result view's font. It lists the installed
// Japanese fonts whose Latin glyphs share one width (ui/view/view_font.h),
// plus the current font's family when that is not among them, and a size in
// points; a sample line shows the choice with kana and kanji.
#pragma once

#include <QDialog>
#include <QFont>

class QLabel;
class QListWidget;
class QSpinBox;

namespace tobrel {

class TFontDialog : public QDialog {
  Q_OBJECT

 public:
  // Starts at `current`: its family selected, its point size set.
  explicit TFontDialog(const QFont& current, QWidget* parent = nullptr);

  // The family selected (the current one when nothing else was chosen).
  QString Family() const;
  int PointSize() const;

 private:
  void ShowSample();

  QListWidget* families_ = nullptr;
  QSpinBox* size_ = nullptr;
  QLabel* sample_ = nullptr;
};

}  // namespace tobrel
