#include "tally/title_list.h"

#include "platform/cp932.h"
#include "tally/report_fields.h"

namespace tobrel {
namespace {

std::string TitleListLine(const ArticleRec& posting) {
  return IntField(posting.Number, 5) + "  " + FormatDateTime("mm/dd", posting.PostedAt) + " " +
         AlignRight(posting.Id.view(), 8) + " " + AlignLeft(posting.Handle.view(), 16) + " " +
         std::string(posting.Title.view());
}

std::string RtCommandLine(const ArticleRec& posting) {
  std::string line(" ");
  line += IntField(posting.Number, 5) + " " + AlignRight(posting.Id.view(), 8) + " " +
          FormatDateTime("mm/dd hh:nn", posting.PostedAt) + " ";
  line += posting.CommentTo != 0 ? ZeroPadded(posting.CommentTo, 5) + " " : std::string(6, ' ');
  line += IntField(posting.CommentCount, 3) + " ";
  line += posting.Title.view();
  return line;
}

}  // namespace

void WriteTitleList(std::span<const ArticleRec> room_postings, std::int32_t room,
                    TitleListForm form, const TargetTest& target, ReportText& report) {
  static const std::string kOpen = cp932::FromUtf8("≪ ");
  static const std::string kClose = cp932::FromUtf8("番会議室 発言タイトル一覧 ≫");
  static const std::string kTitleListHeading =
      cp932::FromUtf8(" 番号 登録日ID       発言者           題名");
  static const std::string kRtCommandHeading =
      cp932::FromUtf8("番号   ID       登録日      TO     CO 題名");
  report.push_back(kOpen + IntField(room, 2) + kClose);
  report.push_back(form == TitleListForm::TitleList ? kTitleListHeading : kRtCommandHeading);
  for (const ArticleRec& posting : room_postings) {
    if (!target.InRange(posting)) continue;
    report.push_back(form == TitleListForm::TitleList ? TitleListLine(posting)
                                                      : RtCommandLine(posting));
  }
}

}  // namespace tobrel
