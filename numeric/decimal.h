// Exact decimal view of a double, and decimal rounding with halves away
// from zero. Number texts and threshold comparisons are built on it so that
// they depend on the exact value of a double, never on a binary round trip.
#pragma once

#include <limits>
#include <string>

namespace korin {

// A finite decimal: (negative ? -1 : 1) * d1.d2d3... * 10^exponent, where
// `digits` holds d1 d2 d3 ... without leading or trailing zeros. Zero has no
// digits (and exponent 0).
struct Decimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;

  [[nodiscard]] bool IsZero() const { return digits.empty(); }
};

// The exact value of a finite double, all of its up to 767 significant
// digits. Precondition: std::isfinite(value).
[[nodiscard]] Decimal ExactDecimal(double value);

// `value` rounded at the power of ten `lowest_power` (the last digit kept
// has that weight), halves away from zero. May carry into a new leading
// digit (9.99 at -1 gives 10.0) or round to zero.
[[nodiscard]] Decimal RoundAtPower(Decimal value, int lowest_power);

// `value` rounded to `significant` digits, halves away from zero.
// Precondition: significant >= 1.
[[nodiscard]] Decimal RoundToSignificant(Decimal value, int significant);

// No lower limit for the rounding position of RoundDouble.
inline constexpr int kNoPowerLimit = std::numeric_limits<int>::min();

// The exact value of `value` rounded to `significant` digits, or at the
// power of ten `lowest_power` when that keeps fewer digits, halves away
// from zero; the same as RoundAtPower(ExactDecimal(value), ...) at
// max(exponent - significant + 1, lowest_power), exponent being that of
// ExactDecimal(value). A correctly rounded 27-digit decimal of the double
// rounds the same way except at a possible tie or carry, which are decided
// on the exact expansion, so this is fast for all but a few values.
// Preconditions: std::isfinite(value), significant >= 1.
[[nodiscard]] Decimal RoundDouble(double value, int significant, int lowest_power = kNoPowerLimit);

// The same rounding, always worked out on all digits of ExactDecimal: the
// reference that RoundDouble falls back to and is tested against.
[[nodiscard]] Decimal RoundDoubleExactly(double value, int significant,
                                         int lowest_power = kNoPowerLimit);

// Sign of a - b, compared exactly: -1, 0 or 1.
[[nodiscard]] int Compare(const Decimal& a, const Decimal& b);

}  // namespace korin
