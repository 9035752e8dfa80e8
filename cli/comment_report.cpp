#include "cli/reports.h"
#include "cli/tally_context.h"
#include "tally/comment_tally.h"

namespace tobrel {

std::vector<std::string> CommentReport(ReportContext& context) {
  const CliOptions& options = context.options;
  CommentTallyOptions comment;
  comment.order = static_cast<CommentOrder>(options.order);
  comment.limit = static_cast<CommentLimit>(options.limit);
  // Every run reads afresh, so the comments are recounted.
  bool comments_recounted = false;
  ProgressLines progress(context.progress);
  std::vector<std::string> report;
  CommentTobrel(context.store, TallySettingsFrom(options), comment, comments_recounted, progress,
                report);
  return report;
}

}  // namespace tobrel
