#include "core/article_rec.h"

namespace tobrel {

bool IsSysopDeleted(const ArticleRec& posting) { return posting.Id == kSysopDeletedId; }

bool IsPosterDeleted(const ArticleRec& posting) {
  // 発言者削除
  static constexpr std::string_view kPosterDeleted = "\x94\xad\x8c\xbe\x8e\xd2\x8d\xed\x8f\x9c";
  return posting.Title.view().substr(0, kPosterDeleted.size()) == kPosterDeleted;
}

bool IsNiftyIdText(std::string_view text) {
  if (text.size() != 8) return false;
  for (std::size_t i = 0; i < 8; ++i) {
    const char c = text[i];
    const bool ok = i < 3 ? (c >= 'A' && c <= 'Z') : (c >= '0' && c <= '9');
    if (!ok) return false;
  }
  return true;
}

}  // namespace tobrel
