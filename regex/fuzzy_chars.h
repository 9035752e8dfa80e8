// The built-in fuzzy character dictionary: 145 groups of written forms that
// count as one character (letters in both widths and cases, digits with
// their full-width, kanji, circled and Roman forms, punctuation and spaces in
// both widths, long-vowel and dash forms, Japanese brackets and commas, and
// every kana in hiragana, katakana and half-width katakana with its voiced,
// semi-voiced and small forms). Built once on first use, never changed.
#pragma once

#include "regex/preprocessor.h"

namespace tobrel {

const RegexDictionary& FuzzyCharDictionary();

}  // namespace tobrel
