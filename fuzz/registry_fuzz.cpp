// Fuzzes the reader of Wine registry files: arbitrary bytes are parsed as a
// registry file, and a few values are looked up, among them the key and
// value of the first line that looks like them.
#include <cstdint>
#include <sstream>
#include <string>

#include "platform/wine_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::istringstream in(text);
  const tobrel::RegistryFile file = tobrel::RegistryFile::Parse(in);
  (void)file.ReadString("Software\\Classes\\AirCraft.Application\\Clsid", "");
  (void)file.ReadString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97",
                        "UninstallString");
  const std::size_t open = text.find('['), close = text.find(']');
  if (open != std::string::npos && close != std::string::npos && open < close)
    (void)file.ReadString(text.substr(open + 1, close - open - 1), text.substr(0, open));
  return 0;
}
