// Fuzzes loading a read-data file: arbitrary bytes are written to a file
// and loaded into a store that already holds a posting. A load either adds
// the file's paths and postings or, on a fault, changes nothing; a loaded
// store written out and loaded again gives as many postings.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/read_data_file.h"
#include "core/read_data_load.h"

namespace {

std::string TempPath(const char* suffix) {
  return "/tmp/tobrel-fuzz-" + std::to_string(::getpid()) + suffix;
}

void WriteBytes(const std::string& path, const void* data, std::size_t size) {
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = TempPath(".Dat");
  WriteBytes(path, data, size);

  tobrel::LogStore store;
  store.ReadFiles = {"/before.log"};
  store.Postings.resize(1);
  std::vector<tobrel::CandidateFile> candidates = {{"/before.log", false}};
  try {
    tobrel::LoadReadDataFile(path, store, candidates, 2026);
  } catch (const tobrel::Failure&) {
    if (store.Postings.size() != 1 || store.ReadFiles.size() != 1 || candidates.size() != 1)
      std::abort();
    return 0;
  }
  store.Postings.erase(store.Postings.begin());
  store.ReadFiles.erase(store.ReadFiles.begin());
  std::string again;
  for (const std::string& line : tobrel::ReadDataLines(store)) again += line + "\r\n";
  static const std::string again_path = TempPath("-again.Dat");
  WriteBytes(again_path, again.data(), again.size());
  tobrel::LogStore reloaded;
  std::vector<tobrel::CandidateFile> none;
  try {
    tobrel::LoadReadDataFile(again_path, reloaded, none, 2026);
  } catch (const tobrel::Failure&) {
    return 0;
  }
  if (reloaded.Postings.size() != store.Postings.size()) std::abort();
  return 0;
}
