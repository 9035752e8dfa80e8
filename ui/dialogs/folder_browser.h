// The folder browser of the dialogs: Qt's own (not the desktop's) file
// dialog choosing one existing folder, with the folders that stand for the
// computer's drives in its side bar.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace tobrel {

// The folder the user chose (native, without a final "/" unless it is
// "/"), or nothing when the browser was cancelled. It opens in `start` (a
// native folder; the home folder when empty or missing).
std::optional<std::string> BrowseFolder(QWidget* parent, const QString& title,
                                        const std::string& start,
                                        const std::vector<std::string>& drives);

}  // namespace tobrel
