#include "cli/failure_text.h"

#include <string_view>

#include "core/input_file.h"
#include "platform/cp932.h"
#include "platform/path_text.h"

namespace tobrel {

std::string FailureText(const Failure& failure) {
  if (failure.kind() == FailureKind::FileUnwritable)  // a name that is not UTF-8 stays as it is
    return "cannot write " + PathToUtf8(failure.file().string() + ": " + failure.code().message());
  const std::string_view message = failure.message();
  if (!failure.file().empty()) {
    const std::string name = InputFileMessageName(failure.file());
    if (message.starts_with(name))
      return PathToUtf8(failure.file().string()) + cp932::ToUtf8(message.substr(name.size()));
  }
  return cp932::ToUtf8(message);
}

}  // namespace tobrel
