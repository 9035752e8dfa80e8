#include "tally/top_article.h"

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

}  // namespace tobrel
