// TMultiLineLabel: a label for a text of several lines: CR LF, CR or LF
// break the lines, long lines wrap at the label's width, and the text is
// shown as it is (no rich text).
#pragma once

#include <QLabel>

namespace tobrel {

class TMultiLineLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TMultiLineLabel(QWidget* parent = nullptr);

  // Shows `text` with its line breaks.
  void SetCaption(QString text);
};

}  // namespace tobrel
