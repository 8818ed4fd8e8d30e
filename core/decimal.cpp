#include "core/decimal.h"

#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <system_error>

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
  d.digits.reserve(e);
  for (const char c : text.substr(0, e)) {
    if (c != '.') d.digits.push_back(c);
  }
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

int Compare(const Decimal& a, const Decimal& b) {
  const bool a_neg = a.negative && !a.IsZero();
  const bool b_neg = b.negative && !b.IsZero();
  if (a_neg != b_neg) return a_neg ? -1 : 1;
  const int magnitude = CompareMagnitude(a, b);
  return a_neg ? -magnitude : magnitude;
}

}  // namespace korin
