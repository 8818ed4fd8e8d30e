// Exact decimal view of a double, and decimal rounding with halves away
// from zero. Number texts and threshold comparisons are built on it so that
// they depend on the exact value of a double, never on a binary round trip.
#pragma once

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

// Sign of a - b, compared exactly: -1, 0 or 1.
[[nodiscard]] int Compare(const Decimal& a, const Decimal& b);

}  // namespace korin
