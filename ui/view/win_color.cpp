#include "ui/view/win_color.h"

namespace tobrel {

QColor ColorFromColorRef(std::uint32_t value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

std::uint32_t ColorRefFromColor(const QColor& color) {
  return static_cast<std::uint32_t>(color.red()) |
         static_cast<std::uint32_t>(color.green()) << 8 |
         static_cast<std::uint32_t>(color.blue()) << 16;
}

}  // namespace tobrel
