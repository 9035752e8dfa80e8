// TRegexPreprocessor rewrites a pattern through dictionaries before it is
// compiled: each group of a dictionary lists written forms that count as the
// same thing (a synonym dictionary: words; the fuzzy character dictionary:
// forms of one character), and a plain character run of the pattern that
// spells one of them is replaced by a group of all of them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tobrel {

// Groups of words (CP932), tried in order.
using RegexDictionary = std::vector<std::vector<std::string>>;

class TRegexPreprocessor {
 public:
  // The fuzzy character dictionary in use; `dictionary` must outlive this.
  void AttachFuzzyChars(const RegexDictionary* dictionary) { fuzzy_chars_ = dictionary; }
  // The synonym dictionary; it starts empty.
  RegexDictionary& Synonyms() { return synonyms_; }

  // The pattern after the synonym pass (when `use_synonyms`) and then the
  // fuzzy character pass (when `use_fuzzy_chars`). Throws ERegexSyntax where
  // the scanner fails on the pattern.
  std::string Expand(std::string_view pattern, bool use_synonyms, bool use_fuzzy_chars) const;

  // One pass: every run of plain characters outside brackets is scanned from
  // its start; at each position the first word (groups in order, words in
  // order) that the next characters of the run spell is replaced by
  // "(" + the group's words, metacharacters escaped, joined by "|" + ")".
  // Everything else is copied as written.
  static std::string ExpandWith(std::string_view pattern, const RegexDictionary& dictionary);

 private:
  const RegexDictionary* fuzzy_chars_ = nullptr;
  RegexDictionary synonyms_;
};

}  // namespace tobrel
