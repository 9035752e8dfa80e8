// Fuzzes the preview of a file's first lines: arbitrary bytes, the first
// byte picking how many lines to show. The result must never be longer
// than the input and never hold a CR or a control byte other than tab and
// line feed.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/preview_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int max_lines = data[0] % 50;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string preview = tobrel::PreviewLines(bytes, max_lines);
  if (preview.size() > bytes.size()) std::abort();
  for (const char c : preview)
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') std::abort();
  return 0;
}
