#include "numeric/decimal_bound.h"

#include <charconv>
#include <string>

namespace korin {

DecimalBound::DecimalBound(std::uint64_t mantissa, int exponent) {
  if (mantissa == 0) return;  // zero: its nearest double is itself
  const std::string text = std::to_string(mantissa) + "e" + std::to_string(exponent);
  std::from_chars(text.data(), text.data() + text.size(), nearest_);
  std::string digits = std::to_string(mantissa);
  const int magnitude = static_cast<int>(digits.size()) - 1;
  digits.resize(digits.find_last_not_of('0') + 1);
  const Decimal bound{false, std::move(digits), exponent + magnitude};
  nearest_side_ = Compare(ExactDecimal(nearest_), bound);
}

int DecimalBound::CompareWith(double value) const {
  if (value < nearest_) return -1;
  if (value > nearest_) return 1;
  return nearest_side_;
}

}  // namespace korin
