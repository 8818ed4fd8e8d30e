#include "core/decimal_bound.h"

#include <string>

namespace korin {

DecimalBound::DecimalBound(std::uint64_t mantissa, int exponent) {
  if (mantissa == 0) return;  // zero: no digits
  std::string digits = std::to_string(mantissa);
  const int magnitude = static_cast<int>(digits.size()) - 1;
  bound_ = Decimal{false, std::move(digits), exponent + magnitude};
  // Normalise: no trailing zeros in the digit string.
  const auto last = bound_.digits.find_last_not_of('0');
  bound_.digits.resize(last + 1);
}

int DecimalBound::CompareWith(double value) const {
  return Compare(ExactDecimal(value), bound_);
}

}  // namespace korin
