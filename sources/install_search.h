// Finding where the communication program AirCraft 97 is installed in the
// Wine prefix, and the shared log folder that its "Global.Dat" names. The
// program is only read from: nothing is written to its registry or files.
// Folders are native paths (UTF-8) ending in "/"; messages are CP932.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/failure.h"
#include "platform/wine_registry.h"

namespace tobrel {

// Where the search looks: the prefix folder and its registry.
struct WineSystem {
  std::filesystem::path prefix;
  WineRegistry registry;

  // The prefix and its registry files as they are now.
  static WineSystem Load(const std::filesystem::path& prefix);
};

struct InstallSearch {
  std::string folder;                  // empty: not found
  // The installer's log that could not be read (a warning: the search
  // stops there); message() is CP932.
  std::optional<Failure> log_unread;
};

// The three sources of the search, each on its own; each gives an empty
// folder when it finds nothing. The program is 32-bit: the first two read
// the registry as a 32-bit program sees it (RegistryView::Program32).
// The program's class registration (HKEY_CLASSES_ROOT).
std::string FolderFromRegistration(const WineSystem& system);
// The installer's log named by the uninstall entry (HKEY_LOCAL_MACHINE);
// an installer log that cannot be read, is no regular file or is larger
// than 16 MiB gives its message.
InstallSearch FolderFromUninstallLog(const WineSystem& system);
// The shortcut in the user's program menu (HKEY_CURRENT_USER); one that is
// no regular file or is larger than 1 MiB is not read.
std::string FolderFromStartMenuShortcut(const WineSystem& system);

// `FindInstallFolder`: the sources in that order, a later one only when the
// earlier ones found nothing; a log the second source cannot read ends the
// search without a folder.
InstallSearch FindInstallFolder(const WineSystem& system);

// The message shown when the installation folder has no "Global.Dat".
extern const std::string kGlobalDatMissingMessage;

struct GlobalDatResult {
  std::string log_root;                // empty when there is none
  // Why the file was not read; message() is kGlobalDatMissingMessage for
  // a missing file (code ENOENT), else "PATH: not a regular file: a FIFO",
  // "PATH: Permission denied" and so on, in CP932.
  std::optional<Failure> not_read;
};

// `ReadGlobalDat`: the shared log folder named in "Global.Dat" of
// `install_folder`: byte 2 holds a length N, the N bytes from byte 3 on
// (as far as the file goes, up to the first NUL) are a Windows path in
// CP932, mapped into the prefix. An empty installation folder, a file of
// fewer than 3 bytes or an empty path give an empty folder.
GlobalDatResult ReadGlobalDat(const WineSystem& system, const std::string& install_folder);

}  // namespace tobrel
