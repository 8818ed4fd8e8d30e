#include "chart/axis_scale.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace korin::chart {
namespace {

// Tolerance for "this tick lies on the range's end" after a division.
constexpr double kEdgeTolerance = 1e-9;
// No axis is long enough to show more ticks than this; a step that would
// give more is refused rather than filling memory.
constexpr double kMaxTicks = 100000.0;
// The largest power of ten a step may take; its double neighbours 2e308
// and 5e308 overflow.
constexpr int kLargestExponent = 308;

// A nice step as mantissa (1, 2 or 5) and power of ten.
struct NiceStep {
  int mantissa = 1;
  int exponent = 0;
};

// m * 10^e for a whole number m. Dividing by an exact power of ten rounds
// once, so 3 * 10^-3 is the double nearest 0.003 rather than 3 * 0.001.
double Scaled(double m, int exponent) {
  if (exponent >= 0) return m * std::pow(10.0, exponent);
  return m / std::pow(10.0, -exponent);
}

NiceStep Decompose(double step) {
  int exponent = static_cast<int>(std::floor(std::log10(step) + kEdgeTolerance));
  exponent = std::min(exponent, kLargestExponent);
  const double mantissa = step / std::pow(10.0, exponent);
  if (mantissa > 3.5) return {5, exponent};
  if (mantissa > 1.5) return {2, exponent};
  return {1, exponent};
}

double Compose(NiceStep nice) {
  return Scaled(nice.mantissa, nice.exponent);
}

}  // namespace

AxisRange AutomaticRange(double lo, double hi) {
  if (lo < hi) return {lo, hi};
  const double v = lo;
  const double d = v == 0.0 ? 1.0 : std::fabs(v) / 10.0;
  AxisRange range{v - d, v + d};
  if (!std::isfinite(range.min)) range.min = v;
  if (!std::isfinite(range.max)) range.max = v;
  // A subnormal value has no tenth to spare.
  if (!(range.min < range.max)) range = {v - 1.0, v + 1.0};
  return range;
}

double NiceStepAtLeast(double min_step) {
  if (!(min_step > kFinestStep)) return kFinestStep;
  const int exponent = static_cast<int>(std::floor(std::log10(min_step)));
  if (exponent >= kLargestExponent) return Compose({1, kLargestExponent});
  for (const int mantissa : {1, 2, 5}) {
    const double candidate = Compose({mantissa, exponent});
    if (candidate >= min_step * (1.0 - kEdgeTolerance)) return candidate;
  }
  return Compose({1, exponent + 1});
}

double NextNiceStep(double step) {
  const NiceStep nice = Decompose(step);
  if (nice.exponent >= kLargestExponent) return step;
  switch (nice.mantissa) {
    case 1:
      return Compose({2, nice.exponent});
    case 2:
      return Compose({5, nice.exponent});
    default:
      return Compose({1, nice.exponent + 1});
  }
}

std::string FormatAxisLabel(double value) {
  // to_chars rounds the exact binary value correctly, which differs from
  // halves-away-from-zero only on an exact tie such as 0.0625; settle those
  // here. The product is exact when fma finds no remainder.
  double source = value;
  const double thousandths = value * 1000.0;
  if (std::isfinite(thousandths) && std::fma(value, 1000.0, -thousandths) == 0.0) {
    const double floor = std::floor(thousandths);
    if (thousandths - floor == 0.5) source = (value > 0.0 ? floor + 1.0 : floor) / 1000.0;
  }

  std::array<char, 512> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), source,
                                          std::chars_format::fixed, 3);
  if (error != std::errc()) return {};
  std::string_view digits(buffer.data(), static_cast<std::size_t>(end - buffer.data()));

  bool negative = false;
  if (!digits.empty() && digits.front() == '-') {
    negative = true;
    digits.remove_prefix(1);
  }
  const auto point = digits.find('.');
  const std::string_view whole = digits.substr(0, point);
  std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);
  while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
  if (whole == "0" && fraction.empty()) negative = false;

  std::string text;
  text.reserve(digits.size() + digits.size() / 3 + 2);
  if (negative) text += '-';
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) text += ',';
    text += whole[i];
  }
  if (!fraction.empty()) {
    text += '.';
    text += fraction;
  }
  return text;
}

AxisScale::AxisScale(AxisRange range, double pixel_from, double pixel_to)
    : range_(range), pixel_from_(pixel_from), pixel_to_(pixel_to) {}

double AxisScale::ToPixel(double value) const {
  // Halves keep the difference finite even across the whole double range.
  const double fraction = (value / 2 - range_.min / 2) / (range_.max / 2 - range_.min / 2);
  return pixel_from_ + fraction * (pixel_to_ - pixel_from_);
}

int AxisScale::PixelOf(double value) const {
  constexpr double kFar = 1e9;  // far outside any device, well inside int
  const double pixel = ToPixel(value);
  if (std::isnan(pixel)) return static_cast<int>(std::lround(pixel_from_));
  return static_cast<int>(std::lround(std::clamp(pixel, -kFar, kFar)));
}

double AxisScale::ChooseStep(const std::function<double(double step)>& spacing_needed) {
  const double pixels = std::fabs(pixel_to_ - pixel_from_);
  const double half_span = range_.max / 2 - range_.min / 2;
  if (!(pixels >= 2.0)) {
    step_ = NiceStepAtLeast(half_span);
    return step_;
  }
  // Start where ticks are one pixel apart; each further step is at least
  // twice as wide, so this ends within a few dozen rounds.
  double step = NiceStepAtLeast(half_span / (pixels / 2));
  for (;;) {
    const double step_pixels = step / half_span * (pixels / 2);
    if (step_pixels >= spacing_needed(step) || step >= 2 * half_span) break;
    const double next = NextNiceStep(step);
    if (next == step) break;
    step = next;
  }
  step_ = step;
  return step_;
}

std::vector<double> AxisScale::MajorTicks() const {
  std::vector<double> ticks;
  if (!(step_ > 0.0)) return ticks;
  const NiceStep nice = Decompose(step_);
  const double first = std::ceil(range_.min / step_ - kEdgeTolerance);
  const double last = std::floor(range_.max / step_ + kEdgeTolerance);
  if (!std::isfinite(first) || !std::isfinite(last) || last - first >= kMaxTicks) return ticks;
  for (double k = first; k <= last; ++k) ticks.push_back(Scaled(k * nice.mantissa, nice.exponent));
  return ticks;
}

std::vector<double> AxisScale::MinorTicks(int count) const {
  std::vector<double> ticks;
  if (count <= 0 || !(step_ > 0.0)) return ticks;
  const double per_major = static_cast<double>(count) + 1.0;
  const double sub_step = step_ / per_major;
  const double first = std::ceil(range_.min / sub_step - kEdgeTolerance);
  const double last = std::floor(range_.max / sub_step + kEdgeTolerance);
  // Index arithmetic below runs on 64-bit integers; beyond that, or with
  // more ticks than pixels on any screen, there is nothing worth drawing.
  constexpr double kIndexLimit = 1e18;
  if (!std::isfinite(first) || !std::isfinite(last) || std::fabs(first) > kIndexLimit ||
      std::fabs(last) > kIndexLimit || last - first >= kMaxTicks) {
    return ticks;
  }
  const auto period = static_cast<std::int64_t>(per_major);
  for (auto i = static_cast<std::int64_t>(first); i <= static_cast<std::int64_t>(last); ++i) {
    if (i % period == 0) continue;  // a major tick
    ticks.push_back(static_cast<double>(i) * step_ / per_major);
  }
  return ticks;
}

}  // namespace korin::chart
