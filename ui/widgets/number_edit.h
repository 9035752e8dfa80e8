// TSaNumEdit: the numeric edit field of the number range. It takes only
// the digits 0-9, at most a given number of them, and when the user leaves
// it (focus moves away or Return is pressed) its text is put through the
// field's rule, which puts a valid text in place of an empty one or of a
// value out of range.
#pragma once

#include <QLineEdit>
#include <functional>
#include <string>
#include <string_view>

namespace tobrel {

class TSaNumEdit : public QLineEdit {
  Q_OBJECT

 public:
  // The text the field keeps when it is left, given the text typed.
  using ExitRule = std::function<std::string(std::string_view)>;

  TSaNumEdit(ExitRule rule, const QString& text, QWidget* parent = nullptr);

  // At most `digits` digits (six unless set).
  void SetMaxDigits(int digits);

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void CheckText();

  ExitRule rule_;
};

}  // namespace tobrel
