#include "output/report_table_titles.h"

#include "output/chart_cells.h"
#include "platform/cp932.h"

namespace tobrel {
namespace {

std::string U(const char* utf8) { return cp932::FromUtf8(utf8); }

const char* CountOrderName(CountOrder order) {
  switch (order) {
    case CountOrder::ByPostings: return "発言数順";
    case CountOrder::ByChars: return "発言文字数順";
    case CountOrder::ByPostingsCumulative: return "発言数順(累計)";
    case CountOrder::ByCharsCumulative: return "発言文字数順(累計)";
  }
  return "";
}

const char* QuoteOrderName(QuoteOrder order) {
  switch (order) {
    case QuoteOrder::ByPostings: return "発言数順";
    case QuoteOrder::ByChars: return "発言文字数順";
    case QuoteOrder::ByOwnChars: return "本文文字数順";
    case QuoteOrder::ByQuoted: return "引用文字数順";
  }
  return "";
}

const char* CommentOrderName(CommentOrder order) {
  switch (order) {
    case CommentOrder::ByCommentSum: return "ID別被コメント数";
    case CommentOrder::ByCommentRate: return "ID別被コメント率";
    case CommentOrder::ByPosting: return "発言別被コメント数";
  }
  return "";
}

const char* MonthKindName(MonthKind kind) {
  switch (kind) {
    case MonthKind::ByPostings: return "月間発言数集計";
    case MonthKind::ByChars: return "月間発言文字数集計";
    case MonthKind::OneId: return "ID別月間集計";
  }
  return "";
}

}  // namespace

std::string CountRankingTitle(CountOrder order) {
  switch (order) {
    case CountOrder::ByPostings: return U("発言数順集計");
    case CountOrder::ByChars: return U("発言文字数順集計");
    case CountOrder::ByPostingsCumulative: return U("発言数順集計(累計)");
    case CountOrder::ByCharsCumulative: return U("発言文字数順集計(累計)");
  }
  return {};
}

std::string QuoteRankingTitle(QuoteOrder order) { return U(QuoteOrderName(order)) + U("集計"); }

std::string CommentTableTitle(CommentOrder order) {
  switch (order) {
    case CommentOrder::ByCommentSum: return U("ID別被コメント数順集計");
    case CommentOrder::ByCommentRate: return U("ID別被コメント率順集計");
    case CommentOrder::ByPosting: return U("発言別コメント数集計");
  }
  return {};
}

std::string ReportName(const ReportRequest& request) {
  switch (request.tally) {
    case TallyKind::Count:
      return U("発言集計（") + U(CountOrderName(request.count.order)) + U("）");
    case TallyKind::Quote:
      return U("引用集計（") + U(QuoteOrderName(request.quote.order)) + U("）");
    case TallyKind::Comment:
      return U("コメント集計（") + U(CommentOrderName(request.comment.order)) + U("）");
    case TallyKind::Stats:
      return U("統計集計");
    case TallyKind::Month:
      return U("月別集計（") + U(MonthKindName(request.month.kind)) + U("）");
  }
  return {};
}

std::vector<std::string> ReportTableTitles(const ReportRequest& request, const ReportData& data) {
  std::vector<std::string> titles;
  switch (request.tally) {
    case TallyKind::Count: {
      titles = {CountRankingTitle(request.count.order), U("最高文字数発言")};
      const TimeTableChoice& choice = request.count.time_tables;
      const std::pair<bool, const char*> tables[] = {
          {choice.by_date, "日付別発言集計"},        {choice.by_month, "月別発言集計"},
          {choice.by_hour, "時間帯別発言集計"},      {choice.by_weekday, "曜日別発言集計"},
          {choice.by_id_hour, "ID別時間帯発言数集計"}, {choice.by_weekday_hour, "曜日別時間帯発言数集計"}};
      for (const auto& [asked, title] : tables)
        if (asked) titles.push_back(U(title));
      break;
    }
    case TallyKind::Quote:
      titles = {QuoteRankingTitle(request.quote.order), U("最高文字数発言・最高引用文字発言")};
      break;
    case TallyKind::Comment:
      titles = {CommentTableTitle(request.comment.order)};
      break;
    case TallyKind::Stats:
      for (const DataRows& table : data) {
        if (ColumnOf(table, "最小番号")) titles.push_back(U("会議室情報"));
        else if (ColumnOf(table, "題名")) titles.push_back(U("発言タイトル一覧"));
        else titles.push_back(U("欠番情報"));
      }
      break;
    case TallyKind::Month:
      if (request.month.kind == MonthKind::OneId) {
        titles = {U("ID別月間集計 ID：") + request.month.target_id};
      } else {
        for (const YearMonth& month : MonthsOfRange(request.month.range))
          titles.push_back(U(MonthKindName(request.month.kind)) + " " + MonthLabel(month));
      }
      break;
  }
  titles.resize(data.size());
  return titles;
}

}  // namespace tobrel
