// TBlinkLabel: a label whose text blinks: it is hidden and shown again at a
// fixed interval, a given number of times or until stopped. The label keeps
// its place in the layout while its text is hidden.
#pragma once

#include <QLabel>
#include <QTimer>

namespace tobrel {

class TBlinkLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TBlinkLabel(QWidget* parent = nullptr);

  // Blinks `times` times (hidden, then shown again), every `interval_ms`
  // milliseconds a change; `times` 0 blinks until StopBlinking.
  void StartBlinking(int times, int interval_ms = 400);
  // Shows the text and stops.
  void StopBlinking();

  bool Blinking() const { return timer_.isActive(); }
  // False while the text is hidden.
  bool Lit() const { return lit_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Toggle();

  QTimer timer_;
  bool lit_ = true;
  int changes_left_ = 0;  // negative: without end
};

}  // namespace tobrel
