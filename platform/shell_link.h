// Reading a shell link (.lnk) file, the Windows shortcut, for the local path
// of its target. Only the parts needed for that are read; nothing is
// resolved against the file system.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tobrel {

// The local path of the target of the link whose bytes are `bytes`, as a
// Windows path in UTF-8 ("C:\AC97\AirCraft.exe"). Nothing for bytes that are
// not a shell link, a truncated or inconsistent one, or a link without a
// local path (a target on a network share, a link without link information).
std::optional<std::string> ReadShellLinkTarget(std::string_view bytes);

}  // namespace tobrel
