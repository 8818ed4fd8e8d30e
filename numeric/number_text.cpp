#include "numeric/number_text.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cstdlib>

#include "numeric/decimal.h"

namespace korin {
namespace {

// The texts are built by appending to one string; they are short enough to
// need no allocation in most cases.

// E, then the exponent: "-" for a negative one, "+" for any other when
// `always_signed`, and its digits without leading zeros.
void AppendExponent(std::string& text, int exponent, bool always_signed) {
  text += 'E';
  if (exponent < 0) {
    text += '-';
  } else if (always_signed) {
    text += '+';
  }
  text += std::to_string(std::abs(exponent));
}

// [-]d1 [separator d2 d3 ...] with the digits of `d`, no exponent.
void AppendMantissa(std::string& text, const Decimal& d, std::string_view separator) {
  if (d.negative) text += '-';
  const std::string_view digits = d.digits;
  text += digits.substr(0, 1);
  if (digits.size() > 1) {
    text += separator;
    text += digits.substr(1);
  }
}

// The rounded decimal `d` in plain notation with exactly `decimals` digits
// after the separator (none and no separator for 0). Trailing zeros of
// `d.digits` beyond what `decimals` shows must already be rounded away.
std::string PlainText(const Decimal& d, int decimals, std::string_view separator) {
  std::string text;
  if (d.negative) text += '-';
  const int n = static_cast<int>(d.digits.size());
  for (int power = std::max(d.exponent, 0); power >= -decimals; --power) {
    if (power == -1) text += separator;
    const int index = d.exponent - power;  // position in d.digits
    text += (index >= 0 && index < n) ? d.digits[static_cast<std::size_t>(index)] : '0';
  }
  return text;
}

}  // namespace

std::string FormatGeneral(double value, int significant, std::string_view separator) {
  assert(significant >= 1);
  const Decimal d = RoundDouble(value, significant);
  if (d.IsZero()) return "0";
  if (d.exponent < -4 || d.exponent >= significant) {
    std::string text;
    AppendMantissa(text, d, separator);
    AppendExponent(text, d.exponent, false);
    return text;
  }
  const int decimals = std::max(0, static_cast<int>(d.digits.size()) - 1 - d.exponent);
  return PlainText(d, decimals, separator);
}

std::string FormatExponent(double value, std::string_view separator) {
  constexpr int kDigits = 5;
  Decimal d = RoundDouble(value, kDigits);
  const bool zero = d.IsZero();
  d.digits.resize(kDigits, '0');
  if (zero) d = Decimal{false, std::string(kDigits, '0'), 0};
  std::string text;
  AppendMantissa(text, d, separator);
  AppendExponent(text, d.exponent, true);
  return text;
}

std::string FormatFixed(double value, std::string_view separator) {
  constexpr int kSignificant = 4;
  constexpr int kDecimals = 4;
  // One rounding, at whichever of the two limits cuts more digits.
  const Decimal d = RoundDouble(value, kSignificant, -kDecimals);
  if (!d.IsZero() && d.exponent >= 4) return FormatGeneral(value, kSignificant, separator);
  return PlainText(d, kDecimals, separator);
}

std::string RoundTripText(double value) {
  std::array<char, 32> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), end);
}

}  // namespace korin
