// TRegexBase holds a pattern and its compiled form: the pattern text as set,
// the dictionary preprocessor and the cache of compiled patterns. It always
// has a pattern in force: the empty one at first, then the last one set
// successfully, or the empty one again after a failed setting.
#pragma once

#include <string>
#include <string_view>

#include "regex/dfa.h"
#include "regex/pattern_cache.h"
#include "regex/preprocessor.h"

namespace tobrel {

class TRegexBase {
 public:
  TRegexBase() = default;
  TRegexBase(const TRegexBase&) = delete;
  TRegexBase& operator=(const TRegexBase&) = delete;

  // The last pattern set successfully, as written (before dictionary
  // expansion); empty after a failed setting.
  const std::string& RegExp() const { return reg_exp_; }
  // Expands `pattern` through the dictionaries that are switched on, takes
  // its compiled form from the cache or compiles it, and puts it in force.
  // Throws ERegexSyntax; the empty pattern is then in force and RegExp()
  // reads as empty.
  void SetRegExp(std::string_view pattern);

  bool UseFuzzyChars() const { return use_fuzzy_chars_; }
  bool UseSynonyms() const { return use_synonyms_; }
  // Switch an expansion on or off and set RegExp() again (may throw as
  // SetRegExp does).
  void SetUseFuzzyChars(bool on);
  void SetUseSynonyms(bool on);

  TRegexPreprocessor& Preprocessor() { return preprocessor_; }
  const CompiledPatternCache& Cache() const { return cache_; }

 protected:
  const TRegexDFA& Dfa() const { return cache_.InForce(); }

 private:
  std::string reg_exp_;
  bool use_fuzzy_chars_ = false;
  bool use_synonyms_ = false;
  TRegexPreprocessor preprocessor_;
  CompiledPatternCache cache_;
};

}  // namespace tobrel
