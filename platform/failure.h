// The one error type of the libraries: what failed, the file and line it
// concerns, the system's error code and the user's message.
//
// The rule every library keeps: a function that fails throws Failure. A run
// that goes on after a failure, or keeps what it did before it, says so in
// its header and either throws after its finishing steps or returns its
// facts with a std::optional<Failure> field named for what it is (a warning
// that did not stop the work). std::optional<std::string> means a value,
// never an error. Text for the user is built from a Failure only at the
// edges (the window, the command line), each in one place.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace tobrel {

// What failed, as far as callers decide on it.
enum class FailureKind {
  FileUnreadable,   // a file that cannot be opened or read, is no regular file or is too large
  FileUnwritable,   // a file that cannot be written
  InvalidLog,       // a log with a bad date or number
  BadReadData,      // a bad line of a read-data file
  BadPattern,       // a pattern that does not compile
  BadIdList,        // a bad ID list
  TallyRefused,     // a tally that refuses its settings
  BadNumberText,    // a number text of the target range that is not an integer
  BadArgument,      // a command-line argument that is missing or bad
};

// A failure. message() is the user's text in CP932 as the library forms it;
// where the text holds a system's text or a path, those parts are kept apart
// (file(), code()) so that the edges can form their own text from them.
class Failure : public std::runtime_error {
 public:
  // `message` is CP932; `line` is 1-based, 0 when none; `file` empty when none.
  Failure(FailureKind kind, std::string message, std::filesystem::path file = {},
          std::size_t line = 0, std::error_code code = {});

  FailureKind kind() const noexcept { return kind_; }
  const std::filesystem::path& file() const noexcept { return file_; }
  std::size_t line() const noexcept { return line_; }
  std::error_code code() const noexcept { return code_; }
  const std::string& message() const noexcept { return message_; }

 private:
  FailureKind kind_;
  std::string message_;
  std::filesystem::path file_;
  std::size_t line_;
  std::error_code code_;
};

}  // namespace tobrel
