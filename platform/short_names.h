// 8.3 short names: which long file name a short name in a Windows path
// ("C:\PROGRA~1\AIRC~JGG\") stands for. Two kinds are known: the hashed
// names Wine makes up ("AirCraft 97" is "AIRC~JGG") and Windows' numeric
// tails ("Program Files" is "PROGRA~1"). Names are native bytes; a name
// that is well-formed UTF-8 is read as UTF-8, any other as CP932 (a folder
// copied from a Japanese Windows disk keeps its Shift-JIS bytes).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tobrel {

// True when `name` is already a valid 8.3 name, letter case aside: one to
// eight characters, optionally a dot and one to three more, all of them
// printable ASCII characters allowed in DOS names. Such a name is its own
// short name and has no other.
bool IsValid8Dot3Name(std::string_view name);

// The short name Wine gives `name`: the first four characters before the
// extension, a "~" and a three-character hash of the whole name, then the
// extension's first three characters ("ExtraLongName.Text" is
// "EXTR~IOJ.TEX"). Empty for a valid 8.3 name and for an empty name.
std::string WineShortName(std::string_view name);

// The entry of `names` (the names of one folder, in any order) that the
// short name `short_name` stands for, compared ignoring ASCII case: the
// first name (in the order ignoring case) whose Wine short name it is,
// else the name whose numeric tail it is. Numeric tails count, from 1, the
// names that need a short name and share a basis (the first six allowed
// characters before the extension, blanks and dots left out) and an
// extension, in the order of the names ignoring case: Linux keeps no
// creation order, which is what Windows numbers by. Nothing when no name
// matches, and for a `short_name` that has no "~" or is no 8.3 name.
std::optional<std::size_t> FindByShortName(const std::vector<std::string>& names,
                                           std::string_view short_name);

}  // namespace tobrel
