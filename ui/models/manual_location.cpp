#include "ui/models/manual_location.h"

#include <system_error>

namespace tobrel {

std::vector<std::filesystem::path> ManualCandidates(const std::filesystem::path& program,
                                                    const std::filesystem::path& source_docs) {
  const std::filesystem::path folder = program.parent_path();
  const std::filesystem::path file = program.stem().string() + ".html";
  std::vector<std::filesystem::path> candidates = {
      folder / file,
      (folder / ".." / "share" / "doc" / "tobrel" / file).lexically_normal(),
  };
  if (!source_docs.empty()) candidates.push_back(source_docs / file);
  return candidates;
}

std::filesystem::path FindManual(const std::vector<std::filesystem::path>& candidates) {
  for (const std::filesystem::path& candidate : candidates) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  return {};
}

}  // namespace tobrel
