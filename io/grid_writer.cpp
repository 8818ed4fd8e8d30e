#include "io/grid_writer.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>
#include <string>

namespace korin {
namespace {

constexpr double kWavelengthClamp = 1e9;

// Gaps are interpolated in extended precision; the intermediate difference of
// two extreme doubles must not overflow before the result is stored.
static_assert(std::numeric_limits<long double>::max_exponent >
                  std::numeric_limits<double>::max_exponent,
              "gap filling needs a long double wider than double");

}  // namespace

int RoundWavelength(double wavelength) {
  assert(std::isfinite(wavelength));
  const double clamped = std::clamp(wavelength, -kWavelengthClamp, kWavelengthClamp);
  // Below 2^52, adding 2^52 leaves no bits for a fraction: the sum is rounded
  // to a whole number, halves to even, as nearbyint would round it but
  // without a library call for every point read.
  constexpr double kNoFractionBits = 0x1p52;
  const double magnitude = (std::fabs(clamped) + kNoFractionBits) - kNoFractionBits;
  return static_cast<int>(std::copysign(magnitude, clamped));
}

int GridWriter::Store(double wavelength, double value) {
  const int current = RoundWavelength(wavelength);
  if (SpectrumGrid::Contains(current)) grid_[current] = value;
  if (count_ == 0) {
    first_ = current;
  } else {
    FillGap(previous_, current);
  }
  previous_ = current;
  ++count_;
  return current;
}

void GridWriter::FillGap(int from, int to) {
  // Fine steps land on the same or the next nanometre: nothing to fill.
  const int step = direction_ == FillDirection::kUpward ? to - from : from - to;
  if (step < 2) return;
  if (!SpectrumGrid::Contains(from) || !SpectrumGrid::Contains(to)) return;
  const long double at_from = grid_[from];
  const long double at_to = grid_[to];
  // entry k = (value at to - value at from) * (k - from) / (to - from) + value at from
  const auto entry = [&](int k) {
    return static_cast<double>((at_to - at_from) * static_cast<long double>(k - from) /
                                   static_cast<long double>(to - from) +
                               at_from);
  };
  if (direction_ == FillDirection::kUpward) {
    for (int k = from + 1; k <= to - 1; ++k) grid_[k] = entry(k);
  } else {
    for (int k = from - 1; k >= to + 1; --k) grid_[k] = entry(k);
  }
}

bool RangeRuleHolds(int first, int last) {
  return static_cast<long>(last) - first > 10 && first >= SpectrumGrid::kFirstWavelength &&
         last <= SpectrumGrid::kLastWavelength;
}

bool OrderCheckPasses(int first, int last, std::string_view path, const MessageSink& sink) {
  if (!SpectrumGrid::Contains(first) || !SpectrumGrid::Contains(last)) return false;
  if (first >= last) {
    ShowFileError(sink, std::string(path) + std::string(kIncorrectOrderSuffix));
    return false;
  }
  return true;
}

}  // namespace korin
