// Thresholds given as exact decimals. A typed 0.001 is stored as the double
// nearest 0.001, which lies slightly above 0.001; whether it passes a bound
// of 0.001 is decided by that exact comparison, not by comparing two doubles.
#pragma once

#include <cstdint>
#include <string_view>

#include "numeric/decimal.h"

namespace korin {

class DecimalBound {
 public:
  // The bound mantissa * 10^exponent, e.g. DecimalBound(1, -3) for 0.001.
  DecimalBound(std::uint64_t mantissa, int exponent);

  // Sign of value - bound, exactly: -1, 0 or 1. Precondition: finite value.
  [[nodiscard]] int CompareWith(double value) const;

 private:
  // No double lies strictly between the bound and its nearest double, so a
  // value that differs from that double compares as it does; only the
  // nearest double itself needs the exact side, worked out once.
  double nearest_ = 0.0;
  int nearest_side_ = 0;  // sign of nearest_ - bound
};

// value > bound
[[nodiscard]] inline bool Exceeds(double value, const DecimalBound& bound) {
  return bound.CompareWith(value) > 0;
}
// value < bound
[[nodiscard]] inline bool FallsBelow(double value, const DecimalBound& bound) {
  return bound.CompareWith(value) < 0;
}

// low <= value <= high
[[nodiscard]] inline bool InClosedRange(double value, const DecimalBound& low,
                                        const DecimalBound& high) {
  return !FallsBelow(value, low) && !Exceeds(value, high);
}
// low < value < high
[[nodiscard]] inline bool InOpenRange(double value, const DecimalBound& low,
                                      const DecimalBound& high) {
  return Exceeds(value, low) && FallsBelow(value, high);
}

// Every threshold of the program, named for what it guards.
namespace bounds {
// The calculation gate: all three strict.
inline const DecimalBound kGateMinConcentration{1, -10};
inline const DecimalBound kGateMinQuantumYield{1, -7};
inline const DecimalBound kGateMinRefractiveIndex{1, -4};
// A typed peak extinction coefficient lies strictly between these.
inline const DecimalBound kMinExtinction{1, -3};
inline const DecimalBound kMaxExtinction{1, 10};
// Overlap integrals below this give a Foerster distance of 0.
inline const DecimalBound kMinOverlapIntegral{1, -20};
// Parameter fields: both ends included.
inline const DecimalBound kMinConcentration{1, -12};
inline const DecimalBound kMaxConcentration{1, 1};
inline const DecimalBound kMinOrientationFactor{1, -6};
inline const DecimalBound kMaxOrientationFactor{1, 0};
inline const DecimalBound kMinQuantumYield{1, -6};
inline const DecimalBound kMaxQuantumYield{1, 0};
inline const DecimalBound kMinRefractiveIndex{1, -4};
inline const DecimalBound kMaxRefractiveIndex{1, 3};
}  // namespace bounds

}  // namespace korin
