// Measures the pattern matcher against RE2 on the same lines in the same run:
// Match() (leftmost-longest, with the match's span) and the yes/no test, for
// the default quote pattern and a typical title pattern, over the lines of a
// generated forum log; the same over one line of 1 MB of "a" for patterns
// whose runs cross the rest of such a line from every position ("a*b",
// "(a|aa)*b", ".*>"); and the compile time of both patterns. RE2 runs in
// Latin-1 mode with longest-match semantics on the same CP932 bytes. Time per
// line is the reported time divided by the line count (items_per_second).
//   tobrel-regex-bench [benchmark options]
#include <benchmark/benchmark.h>
#include <re2/re2.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "regex/compile.h"
#include "regex/line_matcher.h"
#include "regex/quote_pattern.h"
#include "tools/log_generator.h"

namespace {

using tobrel::TLineMatcher;

const std::vector<std::string>& Lines() {
  static const std::vector<std::string> lines = [] {
    tobrel::LogGeneratorOptions options;
    options.postings = 2000;
    std::ostringstream log;
    tobrel::GenerateLog(options, log);
    std::vector<std::string> result;
    std::istringstream in(log.str());
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      result.push_back(line);
    }
    return result;
  }();
  return lines;
}

struct PatternPair {
  std::string ours;
  std::string re2;  // the same language in RE2 syntax over Latin-1 bytes
};

// RE2 syntax for a literal CP932 text.
std::string Literal(std::string_view utf8) { return RE2::QuoteMeta(tobrel::cp932::FromUtf8(utf8)); }

const PatternPair& QuotePattern() {
  static const PatternPair pair{
      std::string(tobrel::kDefaultQuotePattern),
      "^[   ]*(?:>|\\||" + Literal("＞") + "|" + Literal("｜") + "|" + Literal("》") + "|" +
          Literal("〉") + "|" + Literal("≫") + ")[^\\r\\n]*$"};
  return pair;
}

const PatternPair& TitlePattern() {
  static const PatternPair pair{
      tobrel::cp932::FromUtf8("(お知らせ|雑談|質問)[^？]*$"),
      "(?:" + Literal("お知らせ") + "|" + Literal("雑談") + "|" + Literal("質問") + ")(?:[^\\x81\\r\\n]|\\x81[^\\x48])*$"};
  return pair;
}

// The long line and the patterns that find no match in it.
const std::string& LongLine() {
  static const std::string line(1 << 20, 'a');
  return line;
}

const PatternPair& StarB() {
  static const PatternPair pair{"a*b", "a*b"};
  return pair;
}

const PatternPair& AltStarB() {
  static const PatternPair pair{"(a|aa)*b", "(?:a|aa)*b"};
  return pair;
}

const PatternPair& DotStarGt() {
  static const PatternPair pair{".*>", "[^\\r\\n]*>"};
  return pair;
}

RE2::Options Re2Options() {
  RE2::Options options;
  options.set_encoding(RE2::Options::EncodingLatin1);
  options.set_longest_match(true);
  options.set_log_errors(false);
  return options;
}

// Checks once that both engines agree on every line, so that the timings
// compare the same work.
void CheckAgreement(const PatternPair& pair, const char* name) {
  TLineMatcher ours;
  ours.SetRegExp(pair.ours);
  const RE2 re2(pair.re2, Re2Options());
  int differing = 0;
  int matching = 0;
  for (const std::string& line : Lines()) {
    int start, length;
    const bool ours_found = ours.Match(line, start, length) > 0;
    re2::StringPiece span;
    const bool re2_found = re2.Match(line, 0, line.size(), RE2::UNANCHORED, &span, 1);
    matching += ours_found;
    if (ours_found != re2_found ||
        (ours_found && (start - 1 != span.data() - line.data() ||
                        length != static_cast<int>(span.size()))))
      ++differing;
  }
  std::fprintf(stderr, "%s: %zu lines, %d match, %d differ between the engines\n", name,
               Lines().size(), matching, differing);
}

void OursMatch(benchmark::State& state, const PatternPair& pair) {
  TLineMatcher matcher;
  matcher.SetRegExp(pair.ours);
  for (auto _ : state) {
    int found = 0;
    for (const std::string& line : Lines()) {
      int start, length;
      found += matcher.Match(line, start, length) > 0;
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * Lines().size());
}

void Re2Match(benchmark::State& state, const PatternPair& pair) {
  const RE2 re2(pair.re2, Re2Options());
  for (auto _ : state) {
    int found = 0;
    for (const std::string& line : Lines()) {
      re2::StringPiece span;
      found += re2.Match(line, 0, line.size(), RE2::UNANCHORED, &span, 1);
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * Lines().size());
}

void OursYesNo(benchmark::State& state, const PatternPair& pair) {
  TLineMatcher matcher;
  matcher.SetRegExp(pair.ours);
  for (auto _ : state) {
    int found = 0;
    for (const std::string& line : Lines()) found += matcher.IsMatch(line);
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * Lines().size());
}

void Re2YesNo(benchmark::State& state, const PatternPair& pair) {
  const RE2 re2(pair.re2, Re2Options());
  for (auto _ : state) {
    int found = 0;
    for (const std::string& line : Lines()) found += RE2::PartialMatch(line, re2);
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * Lines().size());
}

void OursLongLine(benchmark::State& state, const PatternPair& pair) {
  TLineMatcher matcher;
  matcher.SetRegExp(pair.ours);
  for (auto _ : state) {
    int start, length;
    benchmark::DoNotOptimize(matcher.Match(LongLine(), start, length));
  }
  state.SetBytesProcessed(state.iterations() * LongLine().size());
}

void Re2LongLine(benchmark::State& state, const PatternPair& pair) {
  const RE2 re2(pair.re2, Re2Options());
  for (auto _ : state) {
    re2::StringPiece span;
    benchmark::DoNotOptimize(re2.Match(LongLine(), 0, LongLine().size(), RE2::UNANCHORED, &span, 1));
  }
  state.SetBytesProcessed(state.iterations() * LongLine().size());
}

void OursLongLineYesNo(benchmark::State& state, const PatternPair& pair) {
  TLineMatcher matcher;
  matcher.SetRegExp(pair.ours);
  for (auto _ : state) benchmark::DoNotOptimize(matcher.IsMatch(LongLine()));
  state.SetBytesProcessed(state.iterations() * LongLine().size());
}

void OursCompile(benchmark::State& state, const PatternPair& pair) {
  for (auto _ : state) benchmark::DoNotOptimize(tobrel::Compile(pair.ours));
}

void Re2Compile(benchmark::State& state, const PatternPair& pair) {
  const RE2::Options options = Re2Options();
  for (auto _ : state) {
    RE2 re2(pair.re2, options);
    benchmark::DoNotOptimize(re2.ok());
  }
}

BENCHMARK_CAPTURE(OursMatch, quote, QuotePattern());
BENCHMARK_CAPTURE(Re2Match, quote, QuotePattern());
BENCHMARK_CAPTURE(OursMatch, title, TitlePattern());
BENCHMARK_CAPTURE(Re2Match, title, TitlePattern());
BENCHMARK_CAPTURE(OursYesNo, quote, QuotePattern());
BENCHMARK_CAPTURE(Re2YesNo, quote, QuotePattern());
BENCHMARK_CAPTURE(OursYesNo, title, TitlePattern());
BENCHMARK_CAPTURE(Re2YesNo, title, TitlePattern());
BENCHMARK_CAPTURE(OursLongLine, a_star_b, StarB())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Re2LongLine, a_star_b, StarB())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OursLongLineYesNo, a_star_b, StarB())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OursLongLine, a_or_aa_star_b, AltStarB())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Re2LongLine, a_or_aa_star_b, AltStarB())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OursLongLine, dot_star_gt, DotStarGt())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Re2LongLine, dot_star_gt, DotStarGt())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OursCompile, quote, QuotePattern());
BENCHMARK_CAPTURE(Re2Compile, quote, QuotePattern());
BENCHMARK_CAPTURE(OursCompile, title, TitlePattern());
BENCHMARK_CAPTURE(Re2Compile, title, TitlePattern());

}  // namespace

int main(int argc, char** argv) {
  CheckAgreement(QuotePattern(), "quote");
  CheckAgreement(TitlePattern(), "title");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
