// A new quote-line pattern. The matcher is set first, so that an invalid
// text is found before anything else happens; the matcher then holds the
// empty pattern, so the previous one is set again (it compiled before and
// comes from the matcher's cache). A valid text that differs from the
// previous pattern is shown in the window. Postings already held were
// counted with the old pattern: after the window's notice the store is
// cleared (postings, list of read files and comments-recounted mark), so that
// the reading run reads every checked candidate file again. The excluded
// postings go too, since the re-read records them again, and so does the
// mark, since the comments of the new postings were not recounted yet.
#include "tally/quote_pattern_change.h"

#include "platform/cp932.h"
#include "regex/regex_error.h"
#include "tally/quoted_line_test.h"

namespace tobrel {

QuotePatternChange ChangeQuotePattern(std::string_view entered, TLineMatcher& matcher,
                                      QuotePatternWindow& window,
                                      const QuoteRereadContext& reread) {
  static const std::string kRereading =
      cp932::FromUtf8("引用行正規表現が変更されたので指定されたログファイルを読み込み直します");
  const std::string previous = matcher.RegExp();
  try {
    matcher.SetRegExp(entered);
  } catch (const ERegexSyntax&) {
    matcher.SetRegExp(previous);
    window.Beep(QuotePatternWindow::Sound::Information);
    window.ShowMessage(kInvalidPatternMessage);
    return {QuotePatternOutcome::Invalid, std::nullopt};
  }
  if (entered == previous) return {QuotePatternOutcome::Unchanged, std::nullopt};

  LogStore& store = reread.store;
  if (store.Postings.empty()) {
    window.ShowPattern(entered);
    return {QuotePatternOutcome::Set, std::nullopt};
  }
  window.Beep(QuotePatternWindow::Sound::Default);
  window.ShowMessage(kRereading);
  ClearStore(store);
  window.ShowPattern(entered);

  ReadRunInputs inputs = reread.reading;
  inputs.is_quoted = MakeQuotedLineTest(matcher);
  // The cache's entries are kept for the test they were read with.
  if (inputs.cache) {
    if (std::optional<std::string> identity = QuotedLineTestIdentity(matcher))
      inputs.cache->quote_identity = std::move(*identity);
    else
      inputs.cache.reset();
  }
  return {QuotePatternOutcome::Reread,
          ReadLogFiles(store, inputs, reread.clock, reread.observer).stopped_by};
}

}  // namespace tobrel
