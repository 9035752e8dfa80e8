// Fuzzes the reader of shell link (.lnk) files with arbitrary bytes.
#include <cstdint>
#include <string_view>

#include "platform/shell_link.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  (void)tobrel::ReadShellLinkTarget(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
