#include "ui/window/window_frame.h"

#include <algorithm>

#include "ui/widgets/dialog_placement.h"

namespace tobrel {

QSize FirstWindowSize(const QSize& hint) { return hint.expandedTo(QSize(632, 480)); }

WindowFrame StartFrame(const std::optional<StoredWindowGeometry>& stored,
                       const WindowPlacement& fallback, const QSize& first_size,
                       const QSize& minimum, const QList<QRect>& screens) {
  if (stored) {
    const QRect frame(stored->left, stored->top, stored->width, stored->height);
    for (const QRect& screen : screens) {
      if (!screen.contains(frame.center())) continue;
      const QSize size = frame.size().boundedTo(screen.size()).expandedTo(minimum);
      return {KeptOnScreen(frame.topLeft(), size, screen), size, stored->maximized};
    }
  }
  return {QPoint(fallback.left, fallback.top),
          QSize(first_size.width(), std::max(fallback.height, first_size.height())), false};
}

}  // namespace tobrel
