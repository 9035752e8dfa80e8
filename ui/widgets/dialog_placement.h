// Where a dialog appears: centred over the window that opens it.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace tobrel {

// The top left corner that centres a dialog of size `dialog` over the
// window frame `owner`: left = owner left + (owner width - dialog width) / 2,
// top likewise, the halves rounded toward zero.
QPoint CenteredTopLeft(const QRect& owner, const QSize& dialog);

// Moves `dialog` to CenteredTopLeft over the window of its parent widget;
// a dialog without a parent stays where it is.
void CenterOverParent(QWidget* dialog);

}  // namespace tobrel
