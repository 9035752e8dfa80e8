#include "core/reader_prefetch.h"

#include <system_error>
#include <utility>

namespace tobrel {

ReaderPrefetch::~ReaderPrefetch() { Join(); }

bool ReaderPrefetch::MayOpenAhead(const std::string& path) {
  if (path == "-") return false;
  std::error_code error;
  const auto type = std::filesystem::status(path, error).type();
  return type != std::filesystem::file_type::fifo && type != std::filesystem::file_type::socket;
}

void ReaderPrefetch::Join() {
  if (thread_.joinable()) thread_.join();
}

void ReaderPrefetch::Start(const std::filesystem::path& path, bool count_lines) {
  Join();
  reader_.reset();
  error_ = nullptr;
  // The thread writes only reader_ or error_, which are read after it ends.
  auto open = [this, path, count_lines] {
    try {
      reader_ = std::make_unique<LogLineReader>(path, kFifoWriterWait,
                                                LogLineReader::kDefaultBlockSize, count_lines);
    } catch (...) {
      error_ = std::current_exception();
    }
  };
  try {
    thread_ = std::thread(open);
  } catch (const std::system_error&) {
    // No thread to be had: the log is opened here and now.
    open();
  }
}

std::unique_ptr<LogLineReader> ReaderPrefetch::Take() {
  Join();
  if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
  return std::move(reader_);
}

}  // namespace tobrel
