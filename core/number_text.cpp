#include "core/number_text.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

#include "core/decimal.h"

namespace korin {
namespace {

std::string ExponentText(int exponent, bool always_signed) {
  std::string text;
  if (exponent < 0) {
    text = "-";
  } else if (always_signed) {
    text = "+";
  }
  return text + std::to_string(std::abs(exponent));
}

// d1 [separator d2 d3 ...] with the digits given, no exponent.
std::string Mantissa(std::string_view digits, std::string_view separator) {
  std::string text(digits.substr(0, 1));
  if (digits.size() > 1) {
    text += separator;
    text += digits.substr(1);
  }
  return text;
}

// The rounded decimal `d` in plain notation with exactly `decimals` digits
// after the separator (none and no separator for 0). Trailing zeros of
// `d.digits` beyond what `decimals` shows must already be rounded away.
std::string PlainText(const Decimal& d, int decimals, std::string_view separator) {
  std::string whole;
  std::string fraction;
  const int n = static_cast<int>(d.digits.size());
  for (int power = std::max(d.exponent, 0); power >= -decimals; --power) {
    const int index = d.exponent - power;  // position in d.digits
    const char digit = (index >= 0 && index < n) ? d.digits[static_cast<std::size_t>(index)] : '0';
    (power >= 0 ? whole : fraction).push_back(digit);
  }
  std::string text = d.negative ? "-" : "";
  text += whole;
  if (!fraction.empty()) {
    text += separator;
    text += fraction;
  }
  return text;
}

}  // namespace

std::string FormatGeneral(double value, int significant, std::string_view separator) {
  assert(significant >= 1);
  const Decimal d = RoundToSignificant(ExactDecimal(value), significant);
  if (d.IsZero()) return "0";
  if (d.exponent < -4 || d.exponent >= significant) {
    return (d.negative ? "-" : "") + Mantissa(d.digits, separator) + "E" +
           ExponentText(d.exponent, false);
  }
  const int decimals = std::max(0, static_cast<int>(d.digits.size()) - 1 - d.exponent);
  return PlainText(d, decimals, separator);
}

std::string FormatExponent(double value, std::string_view separator) {
  constexpr int kDigits = 5;
  Decimal d = RoundToSignificant(ExactDecimal(value), kDigits);
  const bool zero = d.IsZero();
  d.digits.resize(kDigits, '0');
  if (zero) d = Decimal{false, std::string(kDigits, '0'), 0};
  return (d.negative ? "-" : "") + Mantissa(d.digits, separator) + "E" +
         ExponentText(d.exponent, true);
}

std::string FormatFixed(double value, std::string_view separator) {
  constexpr int kSignificant = 4;
  constexpr int kDecimals = 4;
  const Decimal exact = ExactDecimal(value);
  // One rounding, at whichever of the two limits cuts more digits.
  const Decimal d = RoundAtPower(exact, std::max(exact.exponent - kSignificant + 1, -kDecimals));
  if (!d.IsZero() && d.exponent >= 4) return FormatGeneral(value, kSignificant, separator);
  return PlainText(d, kDecimals, separator);
}

}  // namespace korin
