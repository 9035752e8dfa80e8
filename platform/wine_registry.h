// Reading the registry of a Wine prefix, read only. The prefix keeps its
// registry as text files: "system.reg" holds HKEY_LOCAL_MACHINE, "user.reg"
// HKEY_CURRENT_USER; HKEY_CLASSES_ROOT is the "Software\Classes" key of the
// user's over that of the machine. Key and value names match ignoring ASCII
// case. Only string values are kept (plain, "str(2):" expandable); other
// kinds (hex, dword, multi-strings) read as missing. Registry links (keys
// that stand for another key of the same file) are followed. A 64-bit
// prefix keeps the keys of 32-bit programs apart, under "Wow6432Node"; a
// lookup may take the view of such a program.
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
  // The file at `path`; a file that cannot be read gives an empty registry,
  // and so does one that is no regular file (a FIFO is never waited on) or
  // is larger than 256 MiB.
  static RegistryFile Load(const std::filesystem::path& path);

  // The string value `name` ("" for the default value) of `key` (names
  // separated by "\"), or nothing. A link on the way ("#link" with a
  // "SymbolicLinkValue") leads to its target; a link whose target lies
  // outside this file's keys, or a loop of links, finds nothing.
  std::optional<std::string> ReadString(std::string_view key, std::string_view name) const;

  // True when the file belongs to a 64-bit prefix ("#arch=win64").
  bool IsWin64() const { return win64_; }

 private:
  // The key a folded key path stands for once links are followed; nothing
  // for a link that leads nowhere here.
  std::optional<std::string> FollowLinks(std::string key) const;

  // Folded key path -> folded value name -> value.
  std::unordered_map<std::string, std::unordered_map<std::string, std::string>> keys_;
  // Folded key path of a link -> its folded target in this file, or
  // nothing when the target lies elsewhere.
  std::unordered_map<std::string, std::optional<std::string>> links_;
  bool win64_ = false;
};

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };

// The keys a lookup sees.
enum class RegistryView {
  Native,  // the keys as the files hold them
  // A 32-bit program's: in a 64-bit prefix, the keys of its own view first
  // ("Software\Classes\Wow6432Node" for the classes of either root,
  // "Software\Wow6432Node" for the rest of the machine's "Software"), then
  // the native ones. The user's keys outside "Software\Classes" are shared.
  Program32,
};

class WineRegistry {
 public:
  // No prefix: every lookup finds nothing.
  WineRegistry() = default;
  // Reads the registry files of the prefix folder.
  explicit WineRegistry(const std::filesystem::path& prefix);

  std::optional<std::string> ReadString(RegistryRoot root, std::string_view key,
                                        std::string_view name,
                                        RegistryView view = RegistryView::Native) const;

 private:
  std::optional<std::string> ReadNative(RegistryRoot root, std::string_view key,
                                        std::string_view name) const;
  std::optional<std::string> Read32BitView(RegistryRoot root, std::string_view key,
                                           std::string_view name) const;

  RegistryFile machine_, user_;
};

}  // namespace tobrel
