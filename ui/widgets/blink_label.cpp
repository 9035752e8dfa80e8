#include "ui/widgets/blink_label.h"

namespace tobrel {

TBlinkLabel::TBlinkLabel(QWidget* parent) : QLabel(parent) {
  connect(&timer_, &QTimer::timeout, this, &TBlinkLabel::Toggle);
}

void TBlinkLabel::StartBlinking(int times, int interval_ms) {
  lit_ = true;
  changes_left_ = times > 0 ? 2 * times : -1;
  timer_.start(interval_ms);
  update();
}

void TBlinkLabel::StopBlinking() {
  timer_.stop();
  lit_ = true;
  update();
}

void TBlinkLabel::Toggle() {
  lit_ = !lit_;
  if (changes_left_ > 0 && --changes_left_ == 0) StopBlinking();
  update();
}

void TBlinkLabel::paintEvent(QPaintEvent* event) {
  if (lit_) QLabel::paintEvent(event);
}

}  // namespace tobrel
