#include "regex/regex_base.h"

namespace tobrel {

void TRegexBase::SetRegExp(std::string_view pattern) {
  std::string text(pattern);  // `pattern` may be reg_exp_ itself
  reg_exp_.clear();
  std::string expanded;
  try {
    expanded = preprocessor_.Expand(text, use_synonyms_, use_fuzzy_chars_);
  } catch (...) {
    cache_.Select("");  // the empty pattern, entry 0
    throw;
  }
  cache_.Select(expanded);
  reg_exp_ = std::move(text);
}

void TRegexBase::SetUseFuzzyChars(bool on) {
  use_fuzzy_chars_ = on;
  SetRegExp(reg_exp_);
}

void TRegexBase::SetUseSynonyms(bool on) {
  use_synonyms_ = on;
  SetRegExp(reg_exp_);
}

}  // namespace tobrel
