// The option page "引用集計": the order of the quotation tally, the quote-line
// pattern in force (read-only) and the button that changes it.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <string_view>

#include "tally/quote_tally.h"
#include "ui/widgets/radio_group.h"

namespace tobrel {

class QuotePage : public QWidget {
 public:
  explicit QuotePage(QWidget* parent = nullptr);
  QuoteTallyOptions Options() const { return {static_cast<QuoteOrder>(order_->ItemIndex())}; }
  void ShowPattern(std::string_view pattern);  // CP932
  QPushButton* SetButton() const { return set_button_; }

 private:
  TRadioGroup* order_;
  QLineEdit* pattern_;
  QPushButton* set_button_;
};

}  // namespace tobrel
