#include "ui/number_edit.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <algorithm>

namespace tobrel {

std::string CheckedNumberText(std::string_view text, long minimum, long maximum,
                              std::string_view fallback) {
  if (text.empty() || text.size() > 18 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::string(fallback);
  long value = 0;
  for (const char c : text) value = value * 10 + (c - '0');
  return value >= minimum && value <= maximum ? std::string(text) : std::string(fallback);
}

TSaNumEdit::TSaNumEdit(QWidget* parent) : QLineEdit(parent) {
  SetMaxDigits(6);
  connect(this, &QLineEdit::returnPressed, this, &TSaNumEdit::CheckText);
}

void TSaNumEdit::SetMaxDigits(int digits) {
  setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(std::max(digits, 1))), this));
  setMaxLength(std::max(digits, 1));
}

void TSaNumEdit::SetRange(long minimum, long maximum, const QString& fallback) {
  minimum_ = minimum;
  maximum_ = maximum;
  fallback_ = fallback;
}

void TSaNumEdit::focusOutEvent(QFocusEvent* event) {
  CheckText();
  QLineEdit::focusOutEvent(event);
}

void TSaNumEdit::CheckText() {
  const std::string checked =
      CheckedNumberText(text().toStdString(), minimum_, maximum_, fallback_.toStdString());
  if (QString::fromStdString(checked) != text()) setText(QString::fromStdString(checked));
}

}  // namespace tobrel
