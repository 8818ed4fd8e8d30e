#include "numeric/decimal.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <system_error>
#include <utility>

namespace korin {
namespace {

void StripTrailingZeros(Decimal& d) {
  const auto last = d.digits.find_last_not_of('0');
  if (last == std::string::npos) {
    d.digits.clear();
    d.exponent = 0;
  } else {
    d.digits.resize(last + 1);
  }
}

// Compares two non-negative decimals by magnitude.
int CompareMagnitude(const Decimal& a, const Decimal& b) {
  if (a.IsZero() || b.IsZero()) return a.IsZero() ? (b.IsZero() ? 0 : -1) : 1;
  if (a.exponent != b.exponent) return a.exponent < b.exponent ? -1 : 1;
  const int c = a.digits.compare(b.digits);  // same exponent: compare digit by digit
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// RoundDouble rounds a correctly rounded decimal of kShortDigits digits
// instead of the exact expansion. For a cut that keeps at most 26 digits
// the half-way point lies on that decimal's digit grid, so the two round
// alike unless the short decimal is the half-way point itself: a half-way
// point strictly between the double and its short decimal would be a
// nearer decimal of that length. One digit is kept to spare.
constexpr int kShortDigits = 27;
constexpr int kMaxShortSignificant = kShortDigits - 2;

// The powers of ten that are doubles: a short decimal of exactly 10^e is
// the double itself only for these.
constexpr std::array<double, 23> kExactPowersOfTen = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

}  // namespace

Decimal ExactDecimal(double value) {
  assert(std::isfinite(value));
  Decimal d;
  d.negative = std::signbit(value);
  if (value == 0.0) return Decimal{};
  // A double has at most 767 significant decimal digits; 780 after the point
  // always gives the exact expansion followed by zeros.
  std::array<char, 820> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                       std::fabs(value), std::chars_format::scientific, 780);
  assert(ec == std::errc{});
  const std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
  const auto e = text.find('e');
  d.digits.assign(text.data(), e);
  d.digits.erase(1, 1);  // the point after the first digit
  // to_chars writes the exponent as e+10 or e-05; from_chars takes no "+".
  const char* exponent_begin = text.data() + e + 1;
  if (*exponent_begin == '+') ++exponent_begin;
  std::from_chars(exponent_begin, text.data() + text.size(), d.exponent);
  StripTrailingZeros(d);
  return d;
}

Decimal RoundAtPower(Decimal value, int lowest_power) {
  if (value.IsZero()) return value;
  // Number of digits kept: those of weight >= 10^lowest_power.
  const long keep = static_cast<long>(value.exponent) - lowest_power + 1;
  if (keep >= static_cast<long>(value.digits.size())) return value;  // already exact
  if (keep < 0) return Decimal{value.negative, {}, 0};
  const bool round_up = value.digits[static_cast<std::size_t>(keep)] >= '5';
  value.digits.resize(static_cast<std::size_t>(keep));
  if (round_up) {
    // Add one unit at the last kept place, carrying leftwards.
    auto i = value.digits.size();
    while (i > 0 && value.digits[i - 1] == '9') {
      value.digits[i - 1] = '0';
      --i;
    }
    if (i == 0) {
      value.digits.insert(value.digits.begin(), '1');
      ++value.exponent;
    } else {
      ++value.digits[i - 1];
    }
  }
  StripTrailingZeros(value);
  if (value.IsZero()) value.negative = false;
  return value;
}

Decimal RoundToSignificant(Decimal value, int significant) {
  assert(significant >= 1);
  const int lowest_power = value.exponent - significant + 1;
  return RoundAtPower(std::move(value), lowest_power);
}

Decimal RoundDoubleExactly(double value, int significant, int lowest_power) {
  assert(significant >= 1);
  Decimal exact = ExactDecimal(value);
  const int lowest = std::max(exact.exponent - significant + 1, lowest_power);
  return RoundAtPower(std::move(exact), lowest);
}

Decimal RoundDouble(double value, int significant, int lowest_power) {
  assert(std::isfinite(value) && significant >= 1);
  if (value == 0.0 || significant > kMaxShortSignificant) {
    return RoundDoubleExactly(value, significant, lowest_power);
  }
  // d.ddd...de-13: the first digit, the point, 26 more digits, the exponent.
  std::array<char, 40> buffer{};
  const auto [end, ec] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                    std::chars_format::scientific, kShortDigits - 1);
  assert(ec == std::errc{} && buffer[kShortDigits + 1] == 'e');
  std::array<char, kShortDigits> digits{};
  digits[0] = buffer[0];
  std::copy_n(buffer.begin() + 2, kShortDigits - 1, digits.begin() + 1);
  const char* exponent_begin = buffer.data() + kShortDigits + 2;
  if (*exponent_begin == '+') ++exponent_begin;
  int exponent = 0;
  std::from_chars(exponent_begin, end, exponent);
  int used = kShortDigits;
  while (digits[static_cast<std::size_t>(used - 1)] == '0') --used;  // the first digit is not 0

  // A short decimal of exactly 10^exponent may have been carried up from
  // 9.99...9 times 10^(exponent - 1), which rounds at another position.
  // (No double lies that close to a power of ten unless it is one; this
  // keeps the rule true without relying on that.)
  if (used == 1 && digits[0] == '1' &&
      !(exponent >= 0 && exponent < static_cast<int>(kExactPowersOfTen.size()) &&
        std::fabs(value) == kExactPowersOfTen[static_cast<std::size_t>(exponent)])) {
    return RoundDoubleExactly(value, significant, lowest_power);
  }
  const int lowest = std::max(exponent - significant + 1, lowest_power);
  const long keep = static_cast<long>(exponent) - lowest + 1;
  // Cut right before a final 5: the exact value may lie on, above or below
  // the half, which only its remaining digits tell.
  if (keep >= 0 && keep == used - 1 && digits[static_cast<std::size_t>(keep)] == '5') {
    return RoundDoubleExactly(value, significant, lowest_power);
  }
  // The kept digits and the one that decides are all RoundAtPower reads.
  const long count = std::clamp(keep + 1, 1L, static_cast<long>(used));
  Decimal shortened{std::signbit(value),
                    std::string(digits.data(), static_cast<std::size_t>(count)), exponent};
  return RoundAtPower(std::move(shortened), lowest);
}

int Compare(const Decimal& a, const Decimal& b) {
  const bool a_neg = a.negative && !a.IsZero();
  const bool b_neg = b.negative && !b.IsZero();
  if (a_neg != b_neg) return a_neg ? -1 : 1;
  const int magnitude = CompareMagnitude(a, b);
  return a_neg ? -magnitude : magnitude;
}

}  // namespace korin
