// The arithmetic of one chart axis, free of painting: the automatic range,
// nice major steps, major and minor tick values, label texts and the
// mapping from data values to pixels. Uses no Qt, so it is tested with
// plain numbers.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace korin::chart {

struct AxisRange {
  double min = 0.0;
  double max = 0.0;
};

// The range of an axis whose series hold values from `lo` to `hi`: exactly
// those values, so the curve uses the whole axis. A single value (one point,
// or a flat spectrum) is widened by a tenth of its size each way, or by 1
// around zero, so the curve shows as a line across the middle.
// Preconditions: lo and hi finite, lo <= hi.
[[nodiscard]] AxisRange AutomaticRange(double lo, double hi);

// The finest step the labels tell apart: they show at most three decimals.
inline constexpr double kFinestStep = 0.001;

// The smallest step of the form 1, 2 or 5 times a power of ten that is at
// least `min_step`, and never below kFinestStep. Precondition: min_step
// finite.
[[nodiscard]] double NiceStepAtLeast(double min_step);

// The nice step after `step` in the sequence ..., 0.5, 1, 2, 5, 10, ...
// Precondition: `step` is itself a nice step.
[[nodiscard]] double NextNiceStep(double step);

// A label text in the pattern "#,##0.###": rounded to three decimals,
// halves away from zero, trailing zeros dropped, "," between thousands and
// "." before decimals whatever the locale; never "-0".
// Precondition: std::isfinite(value).
[[nodiscard]] std::string FormatAxisLabel(double value);

// One axis laid along a line of pixels. `pixel_from` is where range.min
// lands and `pixel_to` where range.max lands, so a vertical axis simply
// passes its bottom pixel first.
class AxisScale {
 public:
  // Precondition: range.min < range.max, both finite.
  AxisScale(AxisRange range, double pixel_from, double pixel_to);

  [[nodiscard]] const AxisRange& Range() const { return range_; }

  // Where `value` lands, in pixels; exact, not rounded.
  [[nodiscard]] double ToPixel(double value) const;
  // The pixel a point is drawn on.
  [[nodiscard]] int PixelOf(double value) const;

  // Picks the major step: the smallest nice step whose ticks lie at least
  // `spacing_needed(step)` pixels apart (the labels at that step must fit
  // between them), and answers it.
  double ChooseStep(const std::function<double(double step)>& spacing_needed);
  // Sets the major step directly. Precondition: a nice step.
  void SetStep(double step) { step_ = step; }
  [[nodiscard]] double Step() const { return step_; }

  // The multiples of the step inside the range, ascending. A multiple is
  // computed as an exact integer over a power of ten, so 3 * 0.005 is the
  // double nearest 0.015 and its label reads "0.015".
  [[nodiscard]] std::vector<double> MajorTicks() const;
  // `count` ticks evenly between each two majors, and likewise in the
  // partial intervals before the first and after the last major, inside
  // the range; none when count <= 0.
  [[nodiscard]] std::vector<double> MinorTicks(int count) const;

 private:
  AxisRange range_;
  double pixel_from_;
  double pixel_to_;
  double step_ = 1.0;
};

}  // namespace korin::chart
