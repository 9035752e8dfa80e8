// TTextPreview: the preview pane of the open and save dialogs. It shows the
// first lines of the selected file, read as Shift-JIS text, in a read-only
// fixed-pitch pane.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <string>

namespace tobrel {

// The preview of the native file `path`: PreviewLines of at most
// `max_bytes` bytes from its start, converted from CP932. Anything but a
// regular file that can be read gives an empty text.
QString PreviewText(const std::string& path, int max_lines = 40, int max_bytes = 16384);

class TTextPreview : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit TTextPreview(QWidget* parent = nullptr);

  // Shows the preview of the native file `path` (an empty path clears it).
  void ShowFile(const std::string& path);
};

}  // namespace tobrel
