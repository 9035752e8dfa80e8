#include "output/chart_scale.h"

#include <algorithm>
#include <cmath>

namespace tobrel {

ValueScale RoundScale(double largest, int ticks, bool whole, double low) {
  ValueScale scale;
  scale.low = low;
  if (!(largest > low) || !std::isfinite(largest)) largest = low + 1;
  const double span = largest - low;
  double step = std::pow(10.0, std::floor(std::log10(span / std::max(ticks, 1))));
  for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
    if (span / (step * factor) <= ticks) {
      step *= factor;
      break;
    }
  }
  if (whole) step = std::max(step, 1.0);
  // Ticks at the multiples of the step; a first tick off the grid (rank 1)
  // stands alone when the next one is not too close.
  const double first = std::ceil(low / step) * step;
  scale.high = std::max(first, std::ceil(largest / step) * step);
  if (first > low + step * 0.5 - 1e-9) scale.ticks.push_back(low);
  for (double tick = first; tick <= scale.high + step * 1e-6; tick += step)
    scale.ticks.push_back(tick);
  if (scale.high <= low) scale.high = low + step;
  return scale;
}

LabelPlan PlanLabels(const std::vector<double>& widths, double band, double font_size) {
  LabelPlan plan;
  const double widest = widths.empty() ? 0 : *std::max_element(widths.begin(), widths.end());
  if (widest <= band - 4) {
    plan.depth = font_size * 1.3;
    return plan;
  }
  // Upright labels stand a line and a little more apart, to read easily.
  const double line = font_size * 1.6;
  plan.upright = true;
  plan.every = static_cast<std::size_t>(std::max(1.0, std::ceil(line / band)));
  plan.depth = widest + 4;
  return plan;
}

}  // namespace tobrel
