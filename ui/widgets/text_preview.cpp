#include "ui/widgets/text_preview.h"

#include <QFont>
#include <QFontInfo>

#include "platform/preview_lines.h"
#include "platform/regular_file.h"
#include "ui/widgets/qt_text.h"
#include "ui/view/view_font.h"

namespace tobrel {

QString PreviewText(const std::string& path, int max_lines, int max_bytes) {
  if (path.empty() || max_lines <= 0 || max_bytes <= 0) return {};
  // Only regular files: a FIFO or a device could block the reading.
  std::string bytes;
  try {
    bytes = RegularFile(path, kNoFileLimit).ReadHead(static_cast<std::size_t>(max_bytes));
  } catch (const Failure&) {
    return {};
  }
  return FromCp932(PreviewLines(bytes, max_lines));
}

TTextPreview::TTextPreview(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(QStringLiteral("TextPreview"));
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont fixed(JapaneseFixedFamily());
  fixed.setPointSizeF(QFontInfo(font()).pointSizeF());
  fixed.setStyleHint(QFont::TypeWriter);
  setFont(fixed);
}

void TTextPreview::ShowFile(const std::string& path) { setPlainText(PreviewText(path)); }

}  // namespace tobrel
