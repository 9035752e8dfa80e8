// The data of every report as tab-separated text: each report and order
// checked whole against reviewed golden files (UTF-8, LF) made from one
// small store, the compact listing and hidden IDs, and the rule that keeps
// tabs and line breaks in titles and handles from breaking the table.
#include <gtest/gtest.h>

#include "platform/failure.h"

#include "tally/report_request.h"
#include "tally/tsv_text.h"
#include "tests/tally/tally_fixture.h"

namespace tobrel {
namespace {

using testing::ExpectTextGolden;
using testing::QuotingPosting;
using testing::S;

// Two rooms over two months; a handle with a tab, a title with a tab and a
// line break; comments and quotations; one posting deleted by its poster.
LogStore ExportStore() {
  LogStore store;
  auto add = [&store](auto... fields) { store.Postings.push_back(QuotingPosting(fields...)); };
  add(1, 1, "ABC00001", "たろう", "1998/11/02 09:15", 120, 0, 0, "はじめまして");
  add(1, 2, "DEF00002", "tab\there", "1998/11/02 21:40", 300, 60, 1, "Re:\tはじめまして");
  add(1, 3, "GHI00003", "はなこ", "1998/11/03 09:05", 80, 20, 1, "line\r\nbreak");
  add(1, 5, "ABC00001", "たろう", "1998/12/05 23:59", 45, 0, 2, "Re:Re:");
  add(1, 6, "DEF00002", "tab\there", "1998/12/06 00:10", 500, 0, 0, "長い話");
  add(2, 1, "GHI00003", "はなこ", "1998/12/07 13:00", 80, 40, 0, "別室");
  add(2, 2, "JKL00004", "ｻﾌﾞﾛｳ", "1998/12/07 13:30", 200, 10, 1, "Re:別室");
  add(2, 4, "DEF00002", "tab\there", "1998/12/08 18:00", 90, 0, 0, "発言者削除");
  return store;
}

struct ExportCase {
  const char* golden;
  TallyKind tally;
  int order;  // the order, kind or title form of the report
  bool hide_ids;
};

ReportRequest RequestOf(const ExportCase& c) {
  ReportRequest request;
  request.tally = c.tally;
  request.settings.hide_ids = c.hide_ids;
  request.count.order = static_cast<CountOrder>(c.order);
  if (c.order == 0) request.count.time_tables = {true, true, true, true, true, true};
  request.quote.order = static_cast<QuoteOrder>(c.order);
  request.comment.order = static_cast<CommentOrder>(c.order);
  request.comment.limit = CommentLimit::All;
  request.stats.title_list = true;
  request.stats.title_form = static_cast<TitleListForm>(c.order);
  request.stats.missing_numbers = true;
  request.settings.target.last_number = "7";
  request.month.kind = static_cast<MonthKind>(c.order);
  request.month.range = {{1998, 11}, {1998, 12}};
  request.month.target_id = "DEF00002";
  return request;
}

// The document of `request` over `store`, with the text report of the same run.
std::string Export(LogStore& store, const ReportRequest& request, ReportText* text = nullptr) {
  TallyProgress progress;
  ReportData data;
  ReportOutcome outcome = MakeReport(store, request, progress, &data);
  if (text) *text = std::move(outcome.lines);
  return TsvDocument(data);
}

void ExpectTsvGolden(const std::string& actual, const std::string& name) {
  ExpectTextGolden(actual, "tsv/" + name, false);
}

TEST(TsvExport, EveryReportAndOrderAgainstItsGolden) {
  static const ExportCase cases[] = {
      {"count_order0.tsv", TallyKind::Count, 0, false},
      {"count_order1_noid.tsv", TallyKind::Count, 1, true},
      {"count_order2.tsv", TallyKind::Count, 2, false},
      {"count_order3.tsv", TallyKind::Count, 3, false},
      {"quote_order0.tsv", TallyKind::Quote, 0, false},
      {"quote_order1.tsv", TallyKind::Quote, 1, false},
      {"quote_order2_noid.tsv", TallyKind::Quote, 2, true},
      {"quote_order3.tsv", TallyKind::Quote, 3, false},
      {"comment_order0.tsv", TallyKind::Comment, 0, false},
      {"comment_order1_noid.tsv", TallyKind::Comment, 1, true},
      {"comment_order2.tsv", TallyKind::Comment, 2, false},
      {"stats_form0.tsv", TallyKind::Stats, 0, false},
      {"stats_form1.tsv", TallyKind::Stats, 1, false},
      {"month_kind0.tsv", TallyKind::Month, 0, false},
      {"month_kind1_noid.tsv", TallyKind::Month, 1, true},
      {"month_kind2.tsv", TallyKind::Month, 2, false},
  };
  for (const ExportCase& c : cases) {
    LogStore store = ExportStore();
    ExpectTsvGolden(Export(store, RequestOf(c)), c.golden);
  }
}

TEST(TsvExport, CompactListingKeepsRankIdAndHandleBelowRank100) {
  for (const bool hide_ids : {false, true}) {
    LogStore store = testing::ManyPosters();
    ReportRequest request;
    request.settings.top100_only = true;
    request.settings.hide_ids = hide_ids;
    ExpectTsvGolden(Export(store, request),
                    hide_ids ? "count_top100_noid.tsv" : "count_top100.tsv");
  }
}

TEST(TsvExport, AnEmptyTargetGivesHeadersAndTheInitialBestPosting) {
  LogStore store = ExportStore();
  ReportRequest request;
  request.tally = TallyKind::Quote;
  request.settings.target.first_number = "100";
  request.settings.target.last_number = "200";
  EXPECT_EQ(Export(store, request),
            "順位\tID\tハンドル\t発言数\t発言文字数\t文字数順位\t平均文字数\t平均順位\t引用率\n"
            "\n"
            "種別\t番号\t会議室\t日時\tID\tハンドル\t文字数\n"
            "最高文字数発言\t0\t0\t1987/04/01 00:00\t********\t\t0\n"
            "最高引用文字発言\t0\t0\t1987/04/01 00:00\t********\t\t0\n");
}

TEST(TsvExport, ARefusedMonthlyTallyGivesNoTables) {
  LogStore store = ExportStore();
  ReportRequest request;
  request.tally = TallyKind::Month;
  request.month.range = {{1998, 12}, {1998, 12}};
  ReportData data{DataRows{}};
  TallyProgress progress;
  EXPECT_THROW(MakeReport(store, request, progress, &data), Failure);
  EXPECT_TRUE(data.empty());
}

TEST(TsvText, ControlCharactersBecomeBlanksAndTwoByteCharactersStay) {
  // "表" and "ソ" end in the byte of "\"; a scan by bytes must keep them whole.
  const ReportData data{
      {{"a\tb", S("表")}, {{"x\ny", "c\r\x7F" "d"}, {S("ソ\tタ"), ""}}},
      {{"one"}, {}},
  };
  EXPECT_EQ(TsvLines(data),
            (ReportText{"a b\t" + S("表"), "x y\tc  d", S("ソ タ") + "\t", "", "one"}));
  EXPECT_EQ(TsvDocument(data), "a b\t表\nx y\tc  d\nソ タ\t\n\none\n");
}

}  // namespace
}  // namespace tobrel
