#include "ui/text_preview.h"

#include <QFont>
#include <QFontInfo>
#include <filesystem>
#include <fstream>

#include "platform/preview_lines.h"
#include "ui/qt_text.h"
#include "ui/view_font.h"

namespace tobrel {

QString PreviewText(const std::string& path, int max_lines, int max_bytes) {
  // Only regular files: a pipe or a device could block the reading.
  std::error_code error;
  if (path.empty() || !std::filesystem::is_regular_file(path, error) || max_lines <= 0 ||
      max_bytes <= 0)
    return {};
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  std::string bytes(static_cast<std::size_t>(max_bytes), '\0');
  file.read(bytes.data(), max_bytes);
  bytes.resize(static_cast<std::size_t>(file.gcount()));

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
