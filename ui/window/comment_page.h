// The option page "ｺﾒﾝﾄ集計": the order and the limit of the comment tally.
#pragma once

#include <QWidget>

#include "tally/comment_tally.h"
#include "ui/widgets/radio_group.h"

namespace tobrel {

class CommentPage : public QWidget {
 public:
  explicit CommentPage(QWidget* parent = nullptr);
  CommentTallyOptions Options() const;

 private:
  TRadioGroup* order_;
  TRadioGroup* limit_;
};

}  // namespace tobrel
