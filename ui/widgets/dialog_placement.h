// Where a dialog appears: centred over the window that opens it, or at a
// point the caller chooses, and in both cases moved as little as needed to
// lie wholly on the screen it appears on.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>

class QDialog;
class QWidget;

namespace tobrel {

// The top left corner that centres a dialog of size `dialog` over the
// window frame `owner`: left = owner left + (owner width - dialog width) / 2,
// top likewise, the halves rounded toward zero.
QPoint CenteredTopLeft(const QRect& owner, const QSize& dialog);

// `top_left` moved as little as needed for a frame of size `frame` to lie
// inside `screen` (the screen's available area). A frame larger than the
// screen keeps its top left corner on the screen's top left edge, so that
// its title bar and its first controls stay reachable.
QPoint KeptOnScreen(const QPoint& top_left, const QSize& frame, const QRect& screen);

// Moves `dialog` so that its frame's top left corner is `top_left`, kept on
// the available area of the screen holding the centre of that frame (when
// no screen holds it, the screen of the dialog's parent window, else the
// primary screen). A dialog larger than that area is first made as small as
// the area, or as its minimum size when that is larger. Call it once the
// dialog has its size: from showEvent, or after show().
void PlaceOnScreen(QWidget* dialog, const QPoint& top_left);

// PlaceOnScreen at CenteredTopLeft over the window of the dialog's parent
// widget; a dialog without a parent stays where it is.
void CenterOverParent(QWidget* dialog);

// For dialogs whose own showEvent cannot place them (Qt's message, input,
// font and colour dialogs, dialogs made on the spot): every time `dialog` is
// opened it is placed by PlaceOnScreen at `top_left()`, or by
// CenterOverParent when `top_left` is empty, before it appears; a later
// change of its size while it shows (a message box sizing itself to its
// text) keeps it on the screen. Lasts as long as the dialog.
void PlaceWhenShown(QDialog* dialog, std::function<QPoint()> top_left = {});

}  // namespace tobrel
