#include "tally/top_article.h"

#include "platform/cp932.h"
#include "tally/report_fields.h"

namespace tobrel {

TopArticle TopArticle::Initial() {
  TopArticle top;
  top.Id = kSysopDeletedId;
  top.PostedAt = *EncodeDateTime({1987, 4, 1, 0, 0, 0});
  return top;
}

TopArticle TopArticle::Of(const ArticleRec& posting, std::string_view id) {
  TopArticle top;
  top.Number = posting.Number;
  top.Room = posting.Room;
  top.Id = id;
  top.Handle = posting.Handle.view();
  top.Title = posting.Title.view();
  top.PostedAt = posting.PostedAt;
  top.TotalChars = posting.TotalChars;
  top.QuotedChars = posting.QuotedChars;
  return top;
}

std::string BestPostingLine(std::string_view label, const TopArticle& top, std::size_t id_width,
                            std::int64_t chars) {
  static const std::string kChars = cp932::FromUtf8("文字");
  std::string line(label);
  line += ZeroPadded(top.Number, 5) + "(" + IntField(top.Room, 2) + ")";
  line += FormatDateTime("yy/mm/dd hh:nn", top.PostedAt);
  line += ' ';
  line += AlignRight(top.Id, id_width);
  line += ' ';
  line += AlignLeft(top.Handle, 16) + CountField(chars, 6) + kChars;
  return line;
}

}  // namespace tobrel
