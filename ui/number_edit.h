// TSaNumEdit: the numeric edit field of the number range. It takes only
// the digits 0-9, at most a given number of them, and when the user leaves
// it (focus moves away or Return is pressed) an empty text or a value
// outside its range is replaced by the field's default text.
#pragma once

#include <QLineEdit>
#include <string>
#include <string_view>

namespace tobrel {

// The text a number field keeps when it is left: `text` itself when it is
// a number from `minimum` to `maximum` (leading zeros allowed), otherwise
// `fallback`.
std::string CheckedNumberText(std::string_view text, long minimum, long maximum,
                              std::string_view fallback);

class TSaNumEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TSaNumEdit(QWidget* parent = nullptr);

  // At most `digits` digits (six unless set).
  void SetMaxDigits(int digits);
  // The range and the text that replaces a value outside it.
  void SetRange(long minimum, long maximum, const QString& fallback);

  // The value of the text (0 for an empty one).
  long Value() const { return text().toLong(); }

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void CheckText();

  long minimum_ = 0;
  long maximum_ = 999999;
  QString fallback_ = QStringLiteral("0");
};

}  // namespace tobrel
