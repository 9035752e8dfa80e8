// The plain message box of the dialogs: a fixed CP932 text with an OK
// button, after the system beep when asked.
#pragma once

#include <string_view>

class QWidget;

namespace tobrel {

// Shows `cp932_text` modally over `parent`, titled with the application's
// name.
void ShowNotice(QWidget* parent, std::string_view cp932_text, bool beep);

}  // namespace tobrel
