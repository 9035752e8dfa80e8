#include "ui/widgets/number_edit.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <algorithm>
#include <utility>

namespace tobrel {

TSaNumEdit::TSaNumEdit(ExitRule rule, const QString& text, QWidget* parent)
    : QLineEdit(text, parent), rule_(std::move(rule)) {
  SetMaxDigits(6);
  connect(this, &QLineEdit::returnPressed, this, &TSaNumEdit::CheckText);
}

void TSaNumEdit::SetMaxDigits(int digits) {
  setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(std::max(digits, 1))), this));
  setMaxLength(std::max(digits, 1));
}

void TSaNumEdit::focusOutEvent(QFocusEvent* event) {
  CheckText();
  QLineEdit::focusOutEvent(event);
}

void TSaNumEdit::CheckText() {
  // Digits only: the text is the same in Latin-1 and in CP932.
  const QString checked = QString::fromStdString(rule_(text().toStdString()));
  if (checked != text()) setText(checked);
}

}  // namespace tobrel
