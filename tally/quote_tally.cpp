// The quotation tally. One walk over the postings in store order counts
// each posting of the target range under its (mapped) ID, summing its total,
// own and quoted characters, and keeps the first posting with the most
// characters and the first with the most quoted characters. The entries are
// then ranked by average and by the four other keys, in an order that ranks
// the chosen key last: the ranking done last decides the rows' order.
#include "tally/quote_tally.h"

#include "platform/cp932.h"
#include "tally/id_accumulator.h"
#include "tally/quote_report.h"
#include "tally/quote_data.h"
#include "tally/ranking.h"
#include "tally/target_test.h"

namespace tobrel {
namespace {

constexpr Ranking kByAverage{RankKey::Average, RankKey::PostCount, &IdTallyRec::RankByAverage};
constexpr Ranking kByOwn{RankKey::OwnChars, RankKey::TotalChars, &IdTallyRec::RankByOwn};
constexpr Ranking kByQuoted{RankKey::QuotedChars, RankKey::TotalChars, &IdTallyRec::RankByQuoted};
constexpr Ranking kByChars{RankKey::TotalChars, RankKey::PostCount, &IdTallyRec::RankByChars};
constexpr Ranking kByCount{RankKey::PostCount, RankKey::TotalChars, &IdTallyRec::RankByCount};

// The rankings of each order, the one by average first; the last one is the
// table's.
constexpr Ranking kRankings[4][5] = {
    {kByAverage, kByOwn, kByQuoted, kByChars, kByCount},
    {kByAverage, kByOwn, kByQuoted, kByCount, kByChars},
    {kByAverage, kByChars, kByCount, kByQuoted, kByOwn},
    {kByAverage, kByChars, kByCount, kByOwn, kByQuoted},
};

}  // namespace

void QuoteTobrel(const LogStore& store, const TallySettings& settings,
                 const QuoteTallyOptions& options, TallyProgress& progress, ReportText& report,
                 ReportData* data) {
  static const std::string kCounting = cp932::FromUtf8("引用情報を集計中...");
  static const std::string kDisplaying = cp932::FromUtf8("引用情報を表示中...");
  const TargetTest target(settings.target);
  report.clear();
  if (data) data->clear();
  progress.ShowProgress(kCounting);

  IdAccumulator accumulator;
  QuoteTops tops{TopArticle::Initial(), TopArticle::Initial()};
  const std::vector<ArticleRec>& postings = store.Postings;
  for (std::size_t i = 0; i < postings.size(); ++i) {
    accumulator.PrefetchAhead(postings, i);
    const ArticleRec& posting = postings[i];
    if (!target.Counts(posting)) continue;
    const std::string id =
        settings.MapSameId ? settings.MapSameId(posting.Id.view()) : posting.Id.str();
    IdSums& sums = accumulator.Count(id, posting.Handle.view());
    sums.TotalChars += posting.TotalChars;
    sums.OwnChars += posting.OwnChars;
    sums.QuotedChars += posting.QuotedChars;
    if (posting.TotalChars > tops.most_chars.TotalChars)
      tops.most_chars = TopArticle::Of(posting, id);
    if (posting.QuotedChars > tops.most_quoted.QuotedChars)
      tops.most_quoted = TopArticle::Of(posting, id);
  }

  std::vector<IdTallyRec> entries = accumulator.TakeEntries();
  ComputeAverages(entries);
  RankEntriesInTurn(entries, kRankings[static_cast<int>(options.order)]);

  progress.ShowProgress(kDisplaying);
  WriteTargetLines(settings.target, report);
  WriteQuoteTable(entries, tops, options.order, settings, report);
  if (data) AddQuoteData(entries, tops, options.order, settings, *data);
  entries.clear();
  progress.ShowProgress("");
}

}  // namespace tobrel
