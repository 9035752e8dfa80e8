#include "ui/widgets/failure_text.h"

#include <string>
#include <string_view>

#include "core/input_file.h"
#include "ui/widgets/qt_text.h"

namespace tobrel {

QString FailureText(const Failure& failure) {
  const std::string_view message = failure.message();
  if (!failure.file().empty()) {
    const std::string name = InputFileMessageName(failure.file());
    if (message.starts_with(name))
      return PathText(failure.file().string()) + FromCp932(message.substr(name.size()));
  }
  return FromCp932(message);
}

}  // namespace tobrel
