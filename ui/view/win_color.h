// Colours as the settings file keeps them: 0x00BBGGRR integers (red in the
// lowest byte), converted to and from Qt colours at the edge.
#pragma once

#include <QColor>
#include <cstdint>

namespace tobrel {

QColor ColorFromColorRef(std::uint32_t value);
std::uint32_t ColorRefFromColor(const QColor& color);

}  // namespace tobrel
