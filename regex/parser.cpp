#include "regex/parser.h"

#include <algorithm>

#include "regex/complexity_limits.h"
#include "regex/regex_error.h"

namespace tobrel {

namespace {

// The "." set without the codes of `ranges`, as ascending ranges.
std::vector<RegexLabel> AnySetWithout(std::vector<RegexLabel> ranges) {
  std::sort(ranges.begin(), ranges.end(),
            [](const RegexLabel& a, const RegexLabel& b) { return a.lo < b.lo; });
  std::vector<RegexLabel> rest;
  for (const RegexLabel any : {RegexLabel{1, 9}, RegexLabel{11, 12},
                               RegexLabel{14, kHighestAnyCode}}) {
    std::uint32_t next = any.lo;  // first code of `any` not yet decided
    for (const RegexLabel& cut : ranges) {
      if (cut.lo > any.hi) break;
      if (cut.hi < next) continue;
      if (cut.lo > next) rest.push_back({static_cast<CharCode>(next), static_cast<CharCode>(cut.lo - 1)});
      next = cut.hi + 1u;
    }
    if (next <= any.hi) rest.push_back({static_cast<CharCode>(next), any.hi});
  }
  return rest;
}

}  // namespace

TRegexParser::TRegexParser(std::string_view pattern, TRegexTree& tree)
    : scanner_(pattern), tree_(tree) {}

int TRegexParser::Parse() {
  Advance();
  const int root = ParseAlternation();
  if (token_.kind != RegexTokenKind::kEnd) scanner_.Fail(regex_message::kExtraCharacters);
  if (!tree_.MakeLeavesDisjoint()) scanner_.Fail(regex_message::kTooComplex);
  return root;
}

int TRegexParser::ParseAlternation() {
  int node = ParseSequence();
  while (token_.kind == RegexTokenKind::kBar) {
    Advance();
    node = tree_.Alternation(node, ParseSequence());
  }
  return node;
}

bool TRegexParser::AtSequenceEnd() const {
  return token_.kind == RegexTokenKind::kBar || token_.kind == RegexTokenKind::kCloseParen ||
         token_.kind == RegexTokenKind::kEnd;
}

int TRegexParser::ParseSequence() {
  if (AtSequenceEnd()) return tree_.Empty();
  int node = ParseFactor();
  while (!AtSequenceEnd()) node = tree_.Concat(node, ParseFactor());
  return node;
}

int TRegexParser::ParseFactor() {
  const int atom = ParseAtom();
  switch (token_.kind) {
    case RegexTokenKind::kStar:
      Advance();
      return tree_.Star(atom);
    case RegexTokenKind::kPlus:
      Advance();
      return tree_.Concat(atom, tree_.Star(atom));
    case RegexTokenKind::kQuestion:
      Advance();
      return tree_.Alternation(atom, tree_.Empty());
    default:
      return atom;
  }
}

int TRegexParser::ParseAtom() {
  int node = -1;
  switch (token_.kind) {
    case RegexTokenKind::kChar:
      node = tree_.Leaf(token_.chars.lo, token_.chars.hi);
      break;
    case RegexTokenKind::kOpenParen:
      node = ParseGroup();
      break;
    case RegexTokenKind::kOpenClass:
      node = ParseClass(false);
      break;
    case RegexTokenKind::kOpenNegClass:
      node = ParseClass(true);
      break;
    case RegexTokenKind::kDot:
      node = tree_.AnySet();
      break;
    case RegexTokenKind::kCaret:
      node = tree_.HeadAnchor();
      break;
    case RegexTokenKind::kDollar:
      node = tree_.TailAnchor();
      break;
    default:
      scanner_.Fail(regex_message::kAtomExpected);
  }
  Advance();
  return node;
}

// The current token is "(": parses up to and including the ")".
int TRegexParser::ParseGroup() {
  if (++group_depth_ > regex_limits::kMaxGroupNesting) scanner_.Fail(regex_message::kTooComplex);
  Advance();
  const int node = ParseAlternation();
  if (token_.kind != RegexTokenKind::kCloseParen) scanner_.Fail(regex_message::kRightParenExpected);
  --group_depth_;
  return node;
}

// The current token is "[" or "[^": reads the items up to the "]".
int TRegexParser::ParseClass(bool negated) {
  Advance();
  if (token_.kind == RegexTokenKind::kCloseClass) scanner_.Fail(regex_message::kBadClass);
  std::vector<RegexLabel> items;
  for (; token_.kind != RegexTokenKind::kCloseClass; Advance()) items.push_back(token_.chars);
  if (!negated) return tree_.AlternationOf(items);
  // A negated class that leaves no character at all is as empty as "[]".
  const std::vector<RegexLabel> rest = AnySetWithout(std::move(items));
  if (rest.empty()) scanner_.Fail(regex_message::kBadClass);
  return tree_.AlternationOf(rest);
}

}  // namespace tobrel
