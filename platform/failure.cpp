#include "platform/failure.h"

#include <utility>

namespace tobrel {

Failure::Failure(FailureKind kind, std::string message, std::filesystem::path file,
                 std::size_t line, std::error_code code)
    : std::runtime_error(message),
      kind_(kind),
      message_(std::move(message)),
      file_(std::move(file)),
      line_(line),
      code_(code) {}

}  // namespace tobrel
