// The quoted-line test that a reading run asks of every body line, made of
// the quote-line matcher in force. The command line, the window and a quote
// pattern change all set up their reading runs with it, so they read at the
// same speed and count the same characters.
#pragma once

#include <optional>
#include <string>

#include "core/posting_assembler.h"
#include "regex/line_matcher.h"

namespace tobrel {

// A test that answers as `matcher.IsMatch` does for a line without LF bytes
// (the assembler is given lines without their ends). For the default quote
// pattern with the matcher's default settings it is the hand-written test of
// core/default_quote_line.h, which does not look at the matcher again;
// otherwise it asks `matcher`, which must then outlive the reading run.
PostingAssembler::QuotedLineTest MakeQuotedLineTest(const TLineMatcher& matcher);

// A text that names the test MakeQuotedLineTest(matcher) makes, for the
// cache of parsed logs (LogCacheUse::quote_identity): the pattern and the
// line separator. Nothing with the matcher's character or synonym
// expansions on, which hang on dictionaries that may change.
std::optional<std::string> QuotedLineTestIdentity(const TLineMatcher& matcher);

}  // namespace tobrel
