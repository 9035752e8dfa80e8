// The text tobrel-cli prints for a failure of the libraries, in UTF-8.
#pragma once

#include <string>

#include "platform/failure.h"

namespace tobrel {

// The failure's message in UTF-8. A message that begins with the name of
// its file, as a log input's does (core/input_file.h), shows that name as
// the file system's text (platform/path_text.h: PathToUtf8), so that a name
// with characters CP932 lacks keeps them. Never fails.
std::string FailureText(const Failure& failure);

}  // namespace tobrel
