// What the tally reports of tobrel-cli share: the request of the desktop
// window's tally dispatch, built from the options, run over the store with
// its progress texts on the progress stream.
#pragma once

#include <ostream>
#include <string_view>

#include "cli/cli_options.h"
#include "cli/reports.h"
#include "exclusion/same_id_map.h"
#include "output/html_report.h"
#include "output/report_charts.h"
#include "output/svg_chart.h"
#include "platform/cp932.h"
#include "tally/report_request.h"
#include "tally/tally_progress.h"
#include "tally/tally_settings.h"
#include "tally/tsv_text.h"

namespace tobrel {

// The target range, --top100, --hide-ids and the pairs of --same-ids.
inline TallySettings TallySettingsFrom(const ReportContext& context) {
  TallySettings settings;
  settings.target = context.options.target;
  settings.top100_only = context.options.top100;
  settings.hide_ids = context.options.hide_ids;
  settings.MapSameId = MapSameIdOf(context.rules, context.rules.master);
  return settings;
}

// Shows a tally's progress texts on the progress stream, one a line.
class ProgressLines final : public TallyProgress {
 public:
  explicit ProgressLines(std::ostream& out) : out_(out) {}
  void ShowProgress(std::string_view text) override {
    if (!text.empty()) out_ << cp932::ToUtf8(text) << '\n';
  }

 private:
  std::ostream& out_;
};

// Runs `request` (its settings taken from the options) over the context's
// store; throws Failure (TallyRefused) with the tally's refusal. With --format tsv the
// lines are those of the report's tables as tab-separated text; with html or
// svg the context's document is the page or the charts, and no lines come back.
inline std::vector<std::string> RunReportRequest(ReportContext& context, ReportRequest request) {
  request.settings = TallySettingsFrom(context);
  ProgressLines progress(context.progress);
  ReportData data;
  const ReportFormat format = context.options.format;
  ReportOutcome outcome = MakeReport(context.store, request, progress,
                                     format != ReportFormat::Text ? &data : nullptr);
  switch (format) {
    case ReportFormat::Text:
      break;
    case ReportFormat::Tsv:
      return TsvLines(data);
    case ReportFormat::Html:
      context.document =
          HtmlReport(request, data, context.store.ReadFiles, context.clock.Now());
      return {};
    case ReportFormat::Svg:
      context.document = SvgChartsDocument(ReportCharts(request, data));
      return {};
  }
  return std::move(outcome.lines);
}

}  // namespace tobrel
