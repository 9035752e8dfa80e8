// The text tobrel-cli prints for a failure of the libraries, in UTF-8.
#pragma once

#include <string>

#include "platform/failure.h"

namespace tobrel {

// The failure's text in UTF-8, without the program's name and line end.
// A file that cannot be written: "cannot write PATH: " and the system's
// text of the error. Otherwise the message; one that begins with the name of
// its file, as a log input's does (core/input_file.h), shows that name as
// the file system's text (platform/path_text.h: PathToUtf8), so that a name
// with characters CP932 lacks keeps them. Never fails.
std::string FailureText(const Failure& failure);

}  // namespace tobrel
