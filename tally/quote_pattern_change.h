// Setting a new quote-line pattern (the button "設定(&G)" of the quotation
// page) without the window: the window asks for the text in its input box
// and hands it here; this decides what happens, shows it through the window,
// and reads the logs again when the pattern changed while postings are held,
// so that every posting's quoted and own characters follow the new pattern.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/log_store.h"
#include "core/read_run.h"
#include "platform/failure.h"
#include "regex/line_matcher.h"

namespace tobrel {

// What a pattern change shows in the window.
class QuotePatternWindow {
 public:
  enum class Sound { Information, Default };

  virtual ~QuotePatternWindow() = default;
  virtual void Beep(Sound /*sound*/) {}
  // A plain message box with an OK button; CP932.
  virtual void ShowMessage(std::string_view /*text*/) {}
  // The read-only field "引用文字列の正規表現(&R)" takes the pattern in force
  // (and so does the settings file when the program ends).
  virtual void ShowPattern(std::string_view /*pattern*/) {}
};

enum class QuotePatternOutcome {
  Invalid,    // not a valid pattern: "正規表現が不正です"; the old one stays in force
  Unchanged,  // the pattern in force was entered again: nothing happens
  Set,        // in force; no postings were held, so nothing was read
  Reread,     // in force, and the logs were read again with it
};

struct QuotePatternChange {
  QuotePatternOutcome outcome = QuotePatternOutcome::Unchanged;
  // For Reread: the failure that stopped the reading run (core/read_run.h:
  // ReadRunResult; what was read before it stays in the store).
  std::optional<Failure> read_error;
};

// What a re-read works on: the store (with its comments-recounted mark), the
// inputs of the read command (its candidate files, options and exclusion
// test; the quoted-line test is taken from the matcher), and the run's
// clock and observer.
struct QuoteRereadContext {
  LogStore& store;
  const ReadRunInputs& reading;
  const Clock& clock;
  ReadRunObserver& observer;
};

// Puts `entered` into `matcher` (the quote-line matcher, whose RegExp() is
// the pattern in force). When it does not compile: information beep,
// "正規表現が不正です", and the previous pattern is set again. When it equals
// the previous pattern: nothing more. Otherwise the window shows the new
// pattern; and when the store holds postings, first the default beep and
// "引用行正規表現が変更されたので指定されたログファイルを読み込み直します",
// then the store is cleared (ClearStore: postings, excluded postings, list
// of read files and comments-recounted mark), and the reading run reads
// the checked candidate files again with the new pattern.
QuotePatternChange ChangeQuotePattern(std::string_view entered, TLineMatcher& matcher,
                                      QuotePatternWindow& window,
                                      const QuoteRereadContext& reread);

}  // namespace tobrel
