// The scales of a chart drawing: a value axis with round ticks, and a plan
// for the category labels of an axis so that no two of them overlap.
#pragma once

#include <string>
#include <vector>

namespace tobrel {

// A value axis from `low` to `high` with ticks at round values.
struct ValueScale {
  double low = 0;
  double high = 1;
  std::vector<double> ticks;
  // The position of `value` between `from` (at low) and `to` (at high).
  double Place(double value, double from, double to) const {
    return from + (value - low) / (high - low) * (to - from);
  }
};

// An axis from 0 (or `low` when given) up to a round value at or above
// `largest`, with about `ticks` ticks at steps of 1, 2 or 5 times a power of
// ten; whole steps only when `whole` (counts and ranks). A `largest` that is
// not above `low` gives the axis from low to low + 1.
ValueScale RoundScale(double largest, int ticks, bool whole, double low = 0);

// Which category labels an axis shows, and how.
struct LabelPlan {
  std::size_t every = 1;  // every n-th label from the first
  bool upright = false;   // turned to read upwards (when they are wider than a band)
  double depth = 0;       // the room across the axis the labels need, in pixels
};

// The plan for labels of `widths` pixels (font `font_size`) over bands of
// `band` pixels: level when each fits its band, else turned upright and
// thinned so that neighbours stand at least 1.6 times the font size apart.
LabelPlan PlanLabels(const std::vector<double>& widths, double band, double font_size);

}  // namespace tobrel
