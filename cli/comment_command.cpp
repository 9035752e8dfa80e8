#include "cli/reports.h"
#include "cli/tally_context.h"

namespace tobrel {

std::vector<std::string> CommentReport(ReportContext& context) {
  const CliOptions& options = context.options;
  ReportRequest request;
  request.tally = TallyKind::Comment;
  request.comment.order = static_cast<CommentOrder>(options.order);
  request.comment.limit = static_cast<CommentLimit>(options.limit);
  return RunReportRequest(context, std::move(request));
}

}  // namespace tobrel
