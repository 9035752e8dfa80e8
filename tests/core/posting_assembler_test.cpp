#include "core/posting_assembler.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/sjis.h"

namespace tobrel {
namespace {

using testing::S;

constexpr int kYear = 2026;

struct Assembled {
  std::vector<CompletedPosting> postings;
  std::vector<ArticleRec> records;
};

// Feeds UTF-8 fixture lines (converted to CP932) through the assembler.
Assembled Assemble(const std::vector<std::string>& lines,
                   PostingAssembler::Options options = {},
                   PostingAssembler::QuotedLineTest is_quoted = {}) {
  Assembled out;
  PostingAssembler assembler(options, std::move(is_quoted), [&](const CompletedPosting& p) {
    out.postings.push_back(p);
    out.records.push_back(MakeArticleRec(p, kYear));
  });
  for (const std::string& line : lines) assembler.Feed(S(line));
  assembler.Finish();
  return out;
}

bool StartsWithGreaterThan(std::string_view line) { return !line.empty() && line[0] == '>'; }

const std::string kHeader = "00123/00456 ABC01234  ハンドル         タイトル";
const std::string kSubHeader = "( 5)   97/05/12 23:45  00120へのコメント";
const std::string kPlainSubHeader = "( 5)   97/05/12 23:45";

TEST(PostingAssembler, ReadsAPostingWithAllItsFields) {
  const Assembled got = Assemble({kHeader, kSubHeader, "本文です", "> 引用", " \b"}, {},
                                 StartsWithGreaterThan);
  ASSERT_EQ(got.records.size(), 1u);
  const ArticleRec& r = got.records[0];
  EXPECT_EQ(r.Number, 123);
  EXPECT_EQ(r.Id, "ABC01234");
  EXPECT_EQ(r.Handle, S("ハンドル"));
  EXPECT_EQ(r.Title, S("タイトル"));
  EXPECT_EQ(r.Room, 5);
  EXPECT_EQ(r.PostedAt, *EncodeDateTime({1997, 5, 12, 23, 45, 0}));
  EXPECT_EQ(r.CommentTo, 120);
  EXPECT_EQ(r.CommentCount, 0);
  EXPECT_EQ(r.OwnChars, 4 + 4);  // title and the own line
  EXPECT_EQ(r.QuotedChars, 3);
  EXPECT_EQ(r.TotalChars, 11);
  EXPECT_EQ(r.Rank, 0);
}

TEST(PostingAssembler, HowPostingsEnd) {
  static const struct {
    const char* name;
    std::vector<std::string> lines;
    bool delimiter_only;
    std::vector<int> own_chars;  // one entry a posting
  } cases[] = {
      {"a delimiter", {kHeader, kPlainSubHeader, "abc", " \b", "ignored"}, false, {7}},
      {"the end of the file", {kHeader, kPlainSubHeader, "abc"}, false, {7}},
      {"a new header", {kHeader, kPlainSubHeader, "abc", kHeader, kPlainSubHeader, "de"}, false,
       {7, 6}},
      {"only delimiters", {kHeader, kPlainSubHeader, "abc", kHeader, kPlainSubHeader, "de"}, true,
       {4 + 3 + 27 + 16 + 2}},  // title, abc, header, sub-header, de
      {"a header without sub-header is dropped",
       {kHeader, "not a sub-header", kPlainSubHeader, "abc"}, false, {}},
      {"the line after a dropped header is not a header",
       {kHeader, kHeader, kPlainSubHeader, "abc"}, false, {}},
      {"a header at the end of the file is dropped", {kHeader}, false, {}},
      {"room header lines are skipped everywhere",
       {kHeader, "- FORUM  MES( 5):雑談会議室        97/05/12 -", kPlainSubHeader, "abc",
        "- FORUM  MES( 5):雑談会議室        97/05/12 -"},
       false, {7}},
      {"a four-digit room header is body text",
       {kHeader, kPlainSubHeader, "- FORUM  MES( 5):雑談会議室        1997/05/12 -"}, false,
       {4 + 29}},
      {"skipped lines count nothing", {kHeader, kPlainSubHeader, "X\b!!abc", "de"}, false, {6}},
  };
  for (const auto& c : cases) {
    const Assembled got = Assemble(c.lines, {c.delimiter_only, false});
    std::vector<int> own;
    for (const ArticleRec& r : got.records) own.push_back(r.OwnChars);
    EXPECT_EQ(own, c.own_chars) << c.name;
  }
}

TEST(PostingAssembler, DefaultPatternLikeTestSeesOnlyLeadingMarks) {
  const Assembled got = Assemble({kHeader, kPlainSubHeader, ">ab", "　>ab"}, {},
                                 StartsWithGreaterThan);
  ASSERT_EQ(got.records.size(), 1u);
  EXPECT_EQ(got.records[0].QuotedChars, 3);
  EXPECT_EQ(got.records[0].OwnChars, 4 + 3);
}

TEST(PostingAssembler, CommentTargetFromReLine) {
  static const struct {
    const char* name;
    std::string sub_header;
    std::vector<std::string> body;
    int comment_to;
  } cases[] = {
      {"mixed case on line 2", kPlainSubHeader, {"", "rE: 123"}, 123},
      {"only line 2 counts", kPlainSubHeader, {"RE:00123"}, 0},
      {"the sub-header wins", kSubHeader, {"", "RE:00777"}, 120},
      {"digits among other bytes", kPlainSubHeader, {"", "RE:#1-2x3"}, 12},
      {"no digits", kPlainSubHeader, {"", "RE:abc"}, 0},
      {"only five bytes are read", kPlainSubHeader, {"", "RE:12345678"}, 12345},
      {"a zero target in the sub-header", "( 5)   97/05/12 23:45  00000へのコメント",
       {"", "RE:42"}, 42},
  };
  for (const auto& c : cases) {
    std::vector<std::string> lines = {kHeader, c.sub_header};
    lines.insert(lines.end(), c.body.begin(), c.body.end());
    const Assembled got = Assemble(lines);
    ASSERT_EQ(got.records.size(), 1u) << c.name;
    EXPECT_EQ(got.records[0].CommentTo, c.comment_to) << c.name;
  }
}

// Empty lines fed as a run at once leave what feeding them one by one
// leaves, in every state: a header waiting for its sub-header is dropped,
// a body counts them towards its second line (the comment target), and
// the line numbers of later lines go on.
TEST(PostingAssembler, ARunOfEmptyLinesIsThoseLinesOneByOne) {
  const std::string re_line = "RE:00042";
  const std::vector<std::vector<std::string>> cases = {
      {"", "", kHeader, "", "", kHeader, kPlainSubHeader, "", re_line, "", "", "abc"},
      {kHeader, kPlainSubHeader, "", "", re_line, " \b", "", "", kHeader, "", kHeader},
      {kHeader, kSubHeader, "", "", "", "", "", "", "", "x", "", kHeader, kPlainSubHeader, ""},
      {kHeader, "( 5)   97/05/12 23:45  1x2へのコメント", "", "", "", "RE:5", "", "", re_line},
      {kHeader, "( 5)   97/05/12 23:45  1x2へのコメント", "", re_line},
  };
  struct Outcome {
    std::vector<std::string> postings;
    std::size_t stray_headers = 0;
    std::string error;
  };
  for (const bool delimiter_only : {false, true}) {
    // `runs`: consecutive empty lines go to FeedEmptyLines together.
    auto feed = [&](const std::vector<std::string>& lines, bool runs) {
      Outcome outcome;
      PostingAssembler assembler({delimiter_only, false}, StartsWithGreaterThan,
                                 [&](const CompletedPosting& p) {
                                   outcome.postings.push_back(
                                       p.number + " " + std::to_string(p.sub_header_line) + " " +
                                       std::to_string(p.own_chars) + " " +
                                       std::to_string(p.re_number));
                                 });
      try {
        for (std::size_t i = 0; i < lines.size(); ++i) {
          std::size_t empty = 0;
          while (runs && i + empty < lines.size() && lines[i + empty].empty()) ++empty;
          if (empty > 0) {
            assembler.FeedEmptyLines(empty);
            i += empty - 1;
          } else {
            assembler.Feed(S(lines[i]));
          }
        }
        assembler.Finish();
      } catch (const Failure& e) {
        outcome.error = std::to_string(e.line()) + " " + e.what();
      }
      outcome.stray_headers = assembler.stray_headers();
      return outcome;
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      const Outcome one_by_one = feed(cases[i], false);
      const Outcome at_once = feed(cases[i], true);
      const std::string context = "case " + std::to_string(i) + (delimiter_only ? " delimiters" : "");
      EXPECT_EQ(at_once.postings, one_by_one.postings) << context;
      EXPECT_EQ(at_once.stray_headers, one_by_one.stray_headers) << context;
      EXPECT_EQ(at_once.error, one_by_one.error) << context;
    }
  }
  // The runs above matter: a target on the second body line is read.
  EXPECT_EQ(Assemble({kHeader, kPlainSubHeader, "", re_line}).records[0].CommentTo, 42);
}

// Postings of one day in a row share the work of their date; the times,
// another current year and an impossible time after a good one still give
// what reading each alone gives.
TEST(PostingAssembler, DatesOfPostingsInARow) {
  CompletedPosting posting;
  posting.number = "00001";
  posting.sub_header_line = 2;
  auto posted_at = [&](const std::string& sub_header, int current_year) {
    posting.sub_header = S(sub_header);
    return MakeArticleRec(posting, current_year).PostedAt;
  };
  EXPECT_EQ(posted_at("( 5)   97/05/12 23:45", 2026), *EncodeDateTime({1997, 5, 12, 23, 45, 0}));
  EXPECT_EQ(posted_at("( 5)   97/05/12 00:01", 2026), *EncodeDateTime({1997, 5, 12, 0, 1, 0}));
  EXPECT_EQ(posted_at("( 5)   97/05/12 00:01", 2090), *EncodeDateTime({2097, 5, 12, 0, 1, 0}));
  EXPECT_EQ(posted_at("( 5)   97/05/13 00:01", 2090), *EncodeDateTime({2097, 5, 13, 0, 1, 0}));
  EXPECT_THROW(posted_at("( 5)   97/05/13 24:00", 2090), Failure);
  EXPECT_THROW(posted_at("( 5)   97/05/13 23:60", 2090), Failure);
  EXPECT_THROW(posted_at("( 5)   97/02/29 10:00", 2090), Failure);
  EXPECT_EQ(posted_at("( 5)   96/02/29 10:00", 2090), *EncodeDateTime({2096, 2, 29, 10, 0, 0}));
}

TEST(PostingAssembler, ThreeDigitHeaderAndMaskedId) {
  const Assembled got = Assemble({"007/009   ********  ハンドル        発言者削除", kPlainSubHeader});
  ASSERT_EQ(got.records.size(), 1u);
  EXPECT_EQ(got.records[0].Number, 7);
  EXPECT_TRUE(IsSysopDeleted(got.records[0]));
  EXPECT_TRUE(IsPosterDeleted(got.records[0]));
}

TEST(PostingAssembler, BadTextsRaiseWithTheSubHeaderLine) {
  EXPECT_THROW(Assemble({kHeader, "( 5)   97/02/30 23:45"}), Failure);
  EXPECT_THROW(Assemble({kHeader, "( 5)   97/05/12 24:00"}), Failure);
  try {
    Assemble({"x", kHeader, "( 5)   97/05/12 23:45  1x2へのコメント", "", "RE:5"});
    FAIL() << "no error";
  } catch (const Failure& e) {
    EXPECT_EQ(e.kind(), FailureKind::InvalidLog);
    EXPECT_EQ(e.line(), 3u);
    EXPECT_EQ(std::string(e.what()), "'1x2' is not a valid integer value");
  }
}

TEST(PostingAssembler, LongTextsAreCutToTheFieldWidths) {
  const std::string long_title = "とても長いタイトルの発言です。四十一バイトを超えます";
  const Assembled got =
      Assemble({"00001/00001 ABC01234  ハンドル         " + long_title, kPlainSubHeader});
  ASSERT_EQ(got.records.size(), 1u);
  EXPECT_EQ(got.records[0].Title.view(), S(long_title).substr(0, 41));
  EXPECT_EQ(got.postings[0].title, S(long_title));
}

}  // namespace
}  // namespace tobrel

namespace tobrel {
namespace {

// The record counts characters in 32 bits: the line that takes a posting
// past 2^31 - 1 characters is an error, and the counts never wrap.
TEST(PostingAssembler, APostingTooLongToCountIsAnErrorOfItsLine) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "counts 2 GiB of characters: minutes in an instrumented build";
#endif
  const std::string block(std::size_t{1} << 26, 'x');  // 64 Mi characters
  std::vector<CompletedPosting> completed;
  PostingAssembler assembler({}, StartsWithGreaterThan,
                             [&](const CompletedPosting& p) { completed.push_back(p); });
  assembler.Feed(S(kHeader));
  assembler.Feed(S(kPlainSubHeader));
  std::size_t line = 2;
  try {
    for (int i = 0; i < 40; ++i) {
      ++line;
      assembler.Feed(block);
    }
    ADD_FAILURE() << "no error";
  } catch (const Failure& e) {
    EXPECT_EQ(e.kind(), FailureKind::InvalidLog);
    EXPECT_EQ(e.line(), 2u + 32u);  // 4 title characters + 32 blocks pass 2^31 - 1
    EXPECT_EQ(line, e.line());
    EXPECT_STREQ(e.what(), "the posting has more than 2147483647 characters");
  }
  assembler.Finish();
  EXPECT_TRUE(completed.empty());
}

}  // namespace
}  // namespace tobrel
