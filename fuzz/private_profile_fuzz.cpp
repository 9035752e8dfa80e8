// Fuzzes the INI reader: arbitrary bytes are read as a settings file, every
// setting is taken from them, and a key written into them must read back
// with every foreign line kept.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/private_profile.h"
#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tobrel::PrivateProfile ini(bytes);
  tobrel::TobrelSettings settings = tobrel::ReadSettings(ini, 45000);
  tobrel::WriteSettings(settings, ini);
  ini.WriteString("Fuzz", "Key", "value");
  const tobrel::PrivateProfile again(ini.Bytes());
  if (again.ReadString("FUZZ", "KEY", "") != "value") std::abort();
  if (again.ReadInteger("POS", "HEIGHT", 0) != settings.height) std::abort();
  return 0;
}
