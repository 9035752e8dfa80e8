#include "ui/widgets/multi_line_label.h"

namespace tobrel {

TMultiLineLabel::TMultiLineLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setWordWrap(true);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TMultiLineLabel::SetCaption(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  setText(text);
}

}  // namespace tobrel
