// Qt's own texts in Japanese: the buttons of message boxes, the file, font
// and colour dialogs, the context menus of text fields and of the help
// window. The program speaks Japanese whatever the desktop's language is,
// so these translations are installed at start-up regardless of the locale.
#pragma once

class QCoreApplication;

namespace tobrel {

// Installs Qt's Japanese translations (qtbase_ja from Qt's translations
// folder) into `app`; a second call finds them installed and does nothing.
// Returns false, and installs nothing, when the file is missing or cannot be
// read: Qt's texts then stay in English.
bool InstallJapaneseQtTexts(QCoreApplication& app);

}  // namespace tobrel
