// Fuzzes the ID list files: arbitrary bytes are written to a file, read as
// an ID list and checked both as excluded IDs and as same-person pairs; an
// accepted pair list then maps every line's first bytes once.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "exclusion/id_list.h"
#include "exclusion/id_list_file.h"
#include "exclusion/same_id_map.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = "/tmp/tobrel-fuzz-" + std::to_string(::getpid()) + ".LST";
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  const std::vector<std::string> lines = tobrel::LoadIdListFile(path);
  const std::vector<std::string_view> views(lines.begin(), lines.end());

  const tobrel::IdListCheck ids = tobrel::CheckExcludedIdLines(views);
  if (ids.accepted() && ids.entries.size() != lines.size()) std::abort();
  const tobrel::IdListCheck pairs = tobrel::CheckSameIdLines(views);
  if (pairs.accepted()) {
    const tobrel::MapSameIdFn map = tobrel::MakeMapSameId(pairs.entries);
    for (const std::string& entry : pairs.entries) {
      // An alias maps to a main ID, which maps to itself: one step, no chains.
      const std::string main = map(std::string_view(entry).substr(9, 8));
      if (main != entry.substr(0, 8) || map(main) != main) std::abort();
    }
  }
  return 0;
}
