#include "core/regular_file_lines.h"

#include <memory>

#include "platform/regular_file.h"

namespace tobrel {

void LoadRegularFileLines(const std::filesystem::path& path, LogLines& lines,
                          std::uint64_t max_size) {
  lines.clear();
  RegularFile file(path, max_size);
  std::unique_ptr<char[]> bytes(new char[file.size() == 0 ? 1 : file.size()]);
  const std::uint64_t size = file.ReadAll(bytes.get());
  SetLogText(lines, std::move(bytes), size);
}

}  // namespace tobrel
