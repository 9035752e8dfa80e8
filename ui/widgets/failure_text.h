// The text the window and its dialogs show for a failure of the libraries.
#pragma once

#include <QString>

#include "platform/failure.h"

namespace tobrel {

// The failure's message. A message that begins with the name of its file,
// as a log input's does (core/input_file.h), shows that name as PathText
// does (ui/widgets/qt_text.h), so that a name with characters CP932 lacks
// keeps them.
QString FailureText(const Failure& failure);

}  // namespace tobrel
