#include "ui/view/cp932_glyphs.h"

#include "platform/cp932.h"

namespace tobrel {
namespace {

QChar DecodeOne(std::string_view character) {
  const QString decoded = QString::fromStdString(cp932::ToUtf8(character));
  return decoded.size() == 1 ? decoded[0] : QChar(QChar::ReplacementCharacter);
}

}  // namespace

QString DecodeCharacters(std::string_view bytes) {
  int characters = 0;
  bool ascii = true;
  for (std::size_t pos = 0; pos < bytes.size(); pos = cp932::NextCharPos(bytes, pos)) {
    ++characters;
    ascii = ascii && static_cast<unsigned char>(bytes[pos]) < 0x80;
  }
  if (ascii) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QString decoded = QString::fromStdString(cp932::ToUtf8(bytes));
  if (decoded.size() == characters) return decoded;
  // The converter did not give one unit per character: decode one by one.
  decoded.clear();
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t next = cp932::NextCharPos(bytes, pos);
    decoded += DecodeOne(bytes.substr(pos, next - pos));
    pos = next;
  }
  return decoded;
}

}  // namespace tobrel
