#include "ui/text_preview.h"

#include <QFont>
#include <QFontInfo>
#include <filesystem>
#include <fstream>

#include "platform/cp932.h"
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

  std::string text;
  int lines = 0;          // line ends passed
  std::size_t breaks = 0;  // line ends not yet written: only before more text
  std::size_t pos = 0;
  while (pos < bytes.size() && lines < max_lines) {
    const auto byte = static_cast<unsigned char>(bytes[pos]);
    if (byte == '\r' || byte == '\n') {
      ++lines;
      ++breaks;
      pos += byte == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n' ? 2 : 1;
      continue;
    }
    text.append(breaks, '\n');
    breaks = 0;
    if (cp932::IsLeadByte(byte)) {
      if (pos + 1 == bytes.size()) break;  // a character cut off by the end of what was read
      // A lead byte before a line end or a control byte stands alone (and
      // shows as a replacement character).
      const std::size_t length = static_cast<unsigned char>(bytes[pos + 1]) >= 0x40 ? 2 : 1;
      text.append(bytes, pos, length);
      pos += length;
    } else {
      text += byte < 0x20 && byte != '\t' ? ' ' : static_cast<char>(byte);
      ++pos;
    }
  }
  return FromCp932(text);
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
