// The two cursors of the result view that the system has none for: an arrow
// pointing right, shown over the left margin where a click selects rows, and
// the arrow with a plus sign, shown while dragged text is to be copied. Both
// are drawn once, on first use.
#pragma once

#include <QCursor>

namespace tobrel {

const QCursor& RightArrowCursor();
const QCursor& DragSelCopyCursor();

}  // namespace tobrel
