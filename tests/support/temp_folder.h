// Test helper: a fresh folder under the temporary folder, removed with its
// files when the helper goes, and a way to put a file with given bytes in it.
// The folder's name ends in the process ID, so test programs run side by
// side (ctest -j, the shards of one program) never share one; a program
// whose output shows the path (the manual's pictures) asks for the name as
// given.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace tobrel::testing {

class TempFolder {
 public:
  enum class Naming { kPerProcess, kExact };

  explicit TempFolder(std::string_view name, Naming naming = Naming::kPerProcess)
      : path_(std::filesystem::temp_directory_path() /
              (naming == Naming::kExact ? std::string(name)
                                        : std::string(name) + "-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Writes `bytes` to the file `name` in the folder; gives its path.
  std::string Write(std::string_view name, std::string_view bytes) const {
    const auto file = path_ / name;
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.string();
  }

 private:
  std::filesystem::path path_;
};

}  // namespace tobrel::testing
