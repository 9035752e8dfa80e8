#include "regex/regex_error.h"

namespace tobrel {

ERegexSyntax::ERegexSyntax(std::string_view message, int error_pos)
    : Failure(FailureKind::BadPattern, std::string(message)), error_pos_(error_pos) {}

bool ERegexSyntax::TooComplex() const { return what() == regex_message::kTooComplex; }

}  // namespace tobrel
