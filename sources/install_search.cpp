#include "sources/install_search.h"

#include "core/regular_file_lines.h"
#include "platform/cp932.h"
#include "platform/folder_listing.h"
#include "platform/regular_file.h"
#include "platform/shell_link.h"
#include "platform/wine_paths.h"

namespace tobrel {
namespace {

// The folder part of a Windows path, ending in "\" (or ":" for "C:x"); empty
// when the path has neither.
std::string WindowsFolderOf(std::string_view path) {
  const std::size_t end = path.find_last_of("\\:");
  return end == std::string_view::npos ? std::string() : std::string(path.substr(0, end + 1));
}

// The native folder of a Windows folder path, ending in "/"; empty when it
// cannot be mapped.
std::string NativeFolder(const WineSystem& system, std::string_view windows_folder) {
  if (windows_folder.empty()) return {};
  std::string folder = MapWindowsPath(system.prefix, windows_folder).value_or("");
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// The file `name` in `folder` found ignoring case, or nothing.
std::optional<std::filesystem::path> FileIn(const std::string& folder, std::string_view name) {
  const auto entry = FindEntryIgnoringCase(folder, name);
  if (!entry || entry->is_folder) return std::nullopt;
  return std::filesystem::path(folder) / entry->name;
}

// A file the search could not read, with its message in CP932.
Failure UnreadFailure(const Failure& error) {
  return Failure(error.kind(), cp932::FromUtf8(error.what()), error.file(), 0, error.code());
}

Failure GlobalDatMissing(const std::filesystem::path& path) {
  return Failure(FailureKind::FileUnreadable, kGlobalDatMissingMessage, path, 0,
                 std::make_error_code(std::errc::no_such_file_or_directory));
}

}  // namespace

const std::string kGlobalDatMissingMessage =
    cp932::FromUtf8("指定されたAirCraft 97本体フォルダにGlobal.Datが見つかりません");

WineSystem WineSystem::Load(const std::filesystem::path& prefix) {
  return {prefix, WineRegistry(prefix)};
}

std::string FolderFromRegistration(const WineSystem& system) {
  const auto clsid = system.registry.ReadString(
      RegistryRoot::ClassesRoot, "AirCraft.Application\\Clsid", "", RegistryView::Program32);
  if (!clsid || clsid->empty()) return {};
  auto program = system.registry.ReadString(RegistryRoot::ClassesRoot,
                                            "CLSID\\" + *clsid + "\\LocalServer32", "",
                                            RegistryView::Program32);
  if (!program) return {};
  // A server path with blanks is written in double quotes, arguments after.
  if (!program->empty() && program->front() == '"')
    *program = program->substr(1, program->find('"', 1) - 1);
  std::string folder = WindowsFolderOf(*program);
  if (const std::size_t upper = folder.find("AIRCRAFT"); upper != std::string::npos)
    folder.replace(upper, 8, "AirCraft");
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return NativeFolder(system, folder);
}

InstallSearch FolderFromUninstallLog(const WineSystem& system) {
  const auto uninstall = system.registry.ReadString(
      RegistryRoot::LocalMachine,
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AirCraft 97", "UninstallString",
      RegistryView::Program32);
  if (!uninstall) return {};
  static constexpr std::string_view kUninstaller = "unvise.exe";
  const std::size_t at = uninstall->find(kUninstaller);
  if (at == std::string::npos) return {};
  const std::size_t name_start = at + kUninstaller.size() + 3;
  std::string log_name = name_start < uninstall->size() ? uninstall->substr(name_start) : "";
  // Blanks around the name would not survive the mapping into the prefix.
  log_name.erase(0, log_name.find_first_not_of(' '));
  log_name.erase(log_name.find_last_not_of(' ') + 1);
  const std::string native_log = MapWindowsPath(system.prefix, log_name).value_or(log_name);

  LogLines lines;
  try {
    LoadRegularFileLines(native_log, lines, kSmallFileLimit);
  } catch (const Failure& error) {
    return {"", UnreadFailure(error)};
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line.find("0=") == std::string_view::npos ||
        line.find("\\AirCraft.exe") == std::string_view::npos)
      continue;
    const std::string program = cp932::ToUtf8(line.substr(std::min<std::size_t>(2, line.size())));
    return {NativeFolder(system, WindowsFolderOf(program)), std::nullopt};
  }
  return {};
}

std::string FolderFromStartMenuShortcut(const WineSystem& system) {
  auto programs = system.registry.ReadString(
      RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
      "Programs");
  if (!programs) return {};
  if (programs->empty() || programs->back() != '\\') *programs += '\\';
  const auto shortcut = MapWindowsPath(system.prefix, *programs + "AirCraft 97\\AirCraft 97.lnk");
  if (!shortcut) return {};
  std::string bytes;
  try {
    bytes = ReadRegularFile(*shortcut, kShortcutFileLimit);  // shortcuts are small
  } catch (const Failure&) {
    return {};
  }
  const auto target = ReadShellLinkTarget(bytes);
  if (!target) return {};
  return NativeFolder(system, WindowsFolderOf(*target));
}

InstallSearch FindInstallFolder(const WineSystem& system) {
  if (std::string folder = FolderFromRegistration(system); !folder.empty()) return {folder, {}};
  InstallSearch from_log = FolderFromUninstallLog(system);
  if (!from_log.folder.empty() || from_log.log_unread) return from_log;
  return {FolderFromStartMenuShortcut(system), std::nullopt};
}

GlobalDatResult ReadGlobalDat(const WineSystem& system, const std::string& install_folder) {
  if (install_folder.empty()) return {};
  const auto file = FileIn(install_folder, "Global.Dat");
  if (!file) return {"", GlobalDatMissing(std::filesystem::path(install_folder) / "Global.Dat")};
  std::string head;
  try {
    head = RegularFile(*file, kNoFileLimit).ReadHead(3 + 255);
  } catch (const Failure& error) {
    if (IsMissingFile(error)) return {"", GlobalDatMissing(*file)};
    return {"", UnreadFailure(error)};
  }
  const std::size_t got = head.size();
  if (got < 3) return {};
  const std::size_t length = std::min<std::size_t>(static_cast<unsigned char>(head[2]), got - 3);
  std::string bytes = head.substr(3, length);
  if (const std::size_t nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
  std::string path = cp932::ToUtf8(bytes);
  if (path.empty()) return {};
  if (path.back() != '\\') path += '\\';
  return {NativeFolder(system, path), std::nullopt};
}

}  // namespace tobrel
