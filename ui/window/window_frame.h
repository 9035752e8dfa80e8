// Where the main window opens and how large: the placement stored in the
// section "WINDOW" when it still lies on a screen, else the placement the
// "POS" keys give, at the window's first size.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

#include "settings/settings.h"
#include "settings/startup_rules.h"

namespace tobrel {

struct WindowFrame {
  QPoint top_left;  // of the frame
  QSize size;       // inside the frame
  bool maximized = false;
};

// The window's first size: what its layouts ask for at the current font and
// scale (`hint`), and never less than 632 x 480.
QSize FirstWindowSize(const QSize& hint);

// `stored` when the centre of its frame lies on one of `screens` (their
// available areas): on that screen, its size at most the screen's and at
// least `minimum`, its frame moved as little as needed to lie wholly on the
// screen. Otherwise (no stored placement, or a screen removed since) the
// "POS" placement `fallback` with its usual clamps already applied: its
// left and top, the width of `first_size` and the larger of the two
// heights. The maximised state comes from `stored` alone.
WindowFrame StartFrame(const std::optional<StoredWindowGeometry>& stored,
                       const WindowPlacement& fallback, const QSize& first_size,
                       const QSize& minimum, const QList<QRect>& screens);

}  // namespace tobrel
