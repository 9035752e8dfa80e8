// Reading the registry of a Wine prefix, read only. The prefix keeps its
// registry as text files: "system.reg" holds HKEY_LOCAL_MACHINE, "user.reg"
// HKEY_CURRENT_USER; HKEY_CLASSES_ROOT is the "Software\Classes" key of the
// user's over that of the machine. Key and value names match ignoring ASCII
// case. Only string values are kept (plain, "str(2):" expandable); other
// kinds (hex, dword, multi-strings) read as missing.
#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tobrel {

// One registry file: the string values of its keys, names and values
// unescaped to UTF-8.
class RegistryFile {
 public:
  // Reads the file text of `in`. Never fails: a line that cannot be read as
  // a key or a value is skipped, and so are the values after a bad key line.
  static RegistryFile Parse(std::istream& in);
  // The file at `path`; a file that cannot be read gives an empty registry.
  static RegistryFile Load(const std::filesystem::path& path);

  // The string value `name` ("" for the default value) of `key` (names
  // separated by "\"), or nothing.
  std::optional<std::string> ReadString(std::string_view key, std::string_view name) const;

 private:
  // Folded key path -> folded value name -> value.
  std::unordered_map<std::string, std::unordered_map<std::string, std::string>> keys_;
};

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };

class WineRegistry {
 public:
  // No prefix: every lookup finds nothing.
  WineRegistry() = default;
  // Reads the registry files of the prefix folder.
  explicit WineRegistry(const std::filesystem::path& prefix);

  std::optional<std::string> ReadString(RegistryRoot root, std::string_view key,
                                        std::string_view name) const;

 private:
  RegistryFile machine_, user_;
};

}  // namespace tobrel
