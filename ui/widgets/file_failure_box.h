// The window's message for a file that could not be read or written: which
// file, what failed and why, in Japanese, in a box with a warning icon. The
// reason comes from the table of ui/models/file_failure_reason.h, else it
// is the system's own text.
#pragma once

#include <QString>
#include <filesystem>
#include <system_error>

#include "platform/failure.h"
#include "ui/models/file_failure_reason.h"

class QWidget;

namespace tobrel {

// Two lines: the file's name (as PathText shows it) with "に書き込めません"
// or "を読み込めません", then the reason.
QString FileFailureText(const std::filesystem::path& file, std::error_code code,
                        FileAccess access);

// The same for a failure of kind FileUnwritable (writing) or FileUnreadable
// (reading) that has a file and a code; any other failure gives its own
// text (ui/widgets/failure_text.h).
QString FileFailureText(const Failure& failure);

// Shows `text` modally in a box with a warning icon and an OK button over
// `parent`, titled with the application's name and placed like the other
// dialogs (ui/widgets/dialog_placement.h).
void ShowFileFailure(QWidget* parent, const QString& text);

}  // namespace tobrel
