#include "core/read_health.h"

#include <algorithm>

namespace tobrel {

bool AnyReadWarning(const std::vector<FileReadHealth>& files) {
  return std::any_of(files.begin(), files.end(),
                     [](const FileReadHealth& file) { return file.HasWarning(); });
}

}  // namespace tobrel
