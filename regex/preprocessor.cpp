#include "regex/preprocessor.h"

#include <cstring>

#include "regex/char_code.h"
#include "regex/scanner.h"

namespace tobrel {

namespace {

std::vector<CharCode> CodesOf(std::string_view word) {
  std::vector<CharCode> codes;
  for (std::size_t pos = 0; pos < word.size();) {
    const CharAt c = ReadCharAt(word, pos);
    codes.push_back(c.code);
    pos += c.length;
  }
  return codes;
}

// "(" + words joined by "|" + ")", a backslash before every metacharacter.
std::string GroupPattern(const std::vector<std::string>& words) {
  std::string out = "(";
  for (std::size_t w = 0; w < words.size(); ++w) {
    if (w > 0) out += '|';
    const std::string& word = words[w];
    for (std::size_t pos = 0; pos < word.size();) {
      const std::size_t length = ReadCharAt(word, pos).length;
      if (length == 1 && std::strchr("^(|)+*?.[]$\\", word[pos]) != nullptr && word[pos] != '\0')
        out += '\\';
      out.append(word, pos, length);
      pos += length;
    }
  }
  return out + ")";
}

using DictionaryCodes = std::vector<std::vector<std::vector<CharCode>>>;

// Rewrites one run of plain character tokens; `codes` holds the characters
// of every word of `dictionary`.
void ExpandRun(std::string_view pattern, const std::vector<RegexToken>& run,
               const RegexDictionary& dictionary, const DictionaryCodes& codes_of,
               std::string& out) {
  std::size_t at = 0;
  while (at < run.size()) {
    const std::vector<std::string>* found_group = nullptr;
    std::size_t found_length = 0;
    for (std::size_t g = 0; g < dictionary.size() && found_group == nullptr; ++g) {
      for (const std::vector<CharCode>& codes : codes_of[g]) {
        if (codes.empty() || codes.size() > run.size() - at) continue;
        bool equal = true;
        for (std::size_t i = 0; i < codes.size() && equal; ++i)
          equal = run[at + i].chars.lo == codes[i];
        if (equal) {
          found_group = &dictionary[g];
          found_length = codes.size();
          break;
        }
      }
    }
    if (found_group == nullptr) {
      out.append(pattern.substr(run[at].start, run[at].end - run[at].start));
      ++at;
    } else {
      out += GroupPattern(*found_group);
      at += found_length;
    }
  }
}

}  // namespace

std::string TRegexPreprocessor::ExpandWith(std::string_view pattern,
                                           const RegexDictionary& dictionary) {
  DictionaryCodes codes_of;
  for (const auto& group : dictionary) {
    codes_of.emplace_back();
    for (const std::string& word : group) codes_of.back().push_back(CodesOf(word));
  }
  std::string out;
  std::vector<RegexToken> run;
  TRegexScanner scanner(pattern);
  while (true) {
    const RegexToken token = scanner.Next();
    if (token.kind == RegexTokenKind::kChar && !token.in_brackets) {
      run.push_back(token);
      continue;
    }
    ExpandRun(pattern, run, dictionary, codes_of, out);
    run.clear();
    if (token.kind == RegexTokenKind::kEnd) return out;
    out.append(pattern.substr(token.start, token.end - token.start));
  }
}

std::string TRegexPreprocessor::Expand(std::string_view pattern, bool use_synonyms,
                                       bool use_fuzzy_chars) const {
  std::string text(pattern);
  if (use_synonyms) text = ExpandWith(text, synonyms_);
  if (use_fuzzy_chars && fuzzy_chars_ != nullptr) text = ExpandWith(text, *fuzzy_chars_);
  return text;
}

}  // namespace tobrel
