#include "core/format_thousands.h"

namespace tobrel {

std::string FormatThousands(std::int64_t value) {
  const bool negative = value < 0;
  // Work on the magnitude as unsigned so that the smallest value negates.
  std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value)
                                     : static_cast<std::uint64_t>(value);
  std::string reversed;
  int digits = 0;
  do {
    if (digits > 0 && digits % 3 == 0) reversed += ',';
    reversed += static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
    ++digits;
  } while (magnitude > 0);
  if (negative) reversed += '-';
  return std::string(reversed.rbegin(), reversed.rend());
}

}  // namespace tobrel
