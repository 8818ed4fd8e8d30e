#include "numeric/parse_real.h"

#include <cfloat>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace korin {
namespace {

// Digits past this many cannot change the correctly rounded double (at most
// 768 can); the rest only matter as powers of ten and as "not all zero".
constexpr std::size_t kMaxSignificantDigits = 800;
// Exponents are accumulated up to this and then stay there: far beyond any
// double, and far from overflowing the integer.
constexpr std::int64_t kExponentCap = 1'000'000'000'000;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The significant digits of a mantissa, without its leading zeros and
// capped in length.
struct MantissaDigits {
  std::string digits;
  std::int64_t dropped = 0;  // digits past the cap
  bool dropped_nonzero = false;

  void Add(char c) {
    if (digits.empty() && c == '0') return;
    if (digits.size() < kMaxSignificantDigits) {
      digits.push_back(c);
    } else {
      ++dropped;
      dropped_nonzero = dropped_nonzero || c != '0';
    }
  }
};

enum class Conversion { kOk, kOverflow };

// digits * 10^exponent10, correctly rounded. Underflow gives zero.
Conversion ToDouble(const MantissaDigits& m, std::int64_t exponent10, double& out) {
  out = 0.0;
  if (m.digits.empty()) return Conversion::kOk;
  std::string text = m.digits;
  exponent10 += m.dropped;
  if (m.dropped_nonzero) {
    // A trailing 1 stands for the non-zero digits dropped: it breaks a tie
    // in the right direction and is too small to change anything else.
    text.push_back('1');
    --exponent10;
  }
  const std::int64_t leading_power = exponent10 + static_cast<std::int64_t>(text.size()) - 1;
  if (leading_power > 309) return Conversion::kOverflow;
  if (leading_power < -400) return Conversion::kOk;
  text += 'e';
  text += std::to_string(exponent10);
  double value = 0.0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    return leading_power > 0 ? Conversion::kOverflow : Conversion::kOk;
  }
  out = value;
  return Conversion::kOk;
}

// The value a failed conversion leaves: the mantissa digits read so far as
// one whole number.
double PartialValue(const MantissaDigits& m) {
  double value = 0.0;
  if (ToDouble(m, 0, value) == Conversion::kOverflow) {
    value = std::numeric_limits<double>::max();
  }
  return value;
}

// Clinger's fast path: a whole number of at most 2^53 and a power of ten of
// at most 22 are both exact doubles, so one multiplication or division,
// rounded once by IEEE arithmetic, is the correctly rounded result. That
// needs double arithmetic without excess precision.
static_assert(FLT_EVAL_METHOD == 0, "the fast path needs plain double arithmetic");
constexpr std::uint64_t kMaxExactInteger = std::uint64_t{1} << 53;
constexpr int kMaxExactPower = 22;
constexpr double kExactPowersOfTen[kMaxExactPower + 1] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// Up to 19 significant digits fit a 64-bit integer; more go the general way.
constexpr int kMaxFastDigits = 19;
constexpr std::int64_t kFastExponentCap = 100'000;

// Converts the numbers of everyday files, such as "500.001" and "0.12345",
// and answers true; answers false, leaving `value` alone, for anything else:
// text that fails, too many digits, or a power of ten beyond the exact ones.
bool ParseFast(std::string_view text, double& value) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p != end && *p == ' ') ++p;
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  if (p == end) return false;

  // The digits as one whole number; leading zeros are not among its
  // significant digits. More than 19 digits wrap around, but are refused.
  std::uint64_t mantissa = 0;
  const auto take_digits = [&] {
    const char* const start = p;
    while (p != end && IsDigit(*p)) mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
    return p - start;
  };
  const auto skip_zeros = [&] {
    while (p != end && *p == '0') ++p;
  };
  skip_zeros();
  std::int64_t digits = take_digits();
  std::int64_t fraction_digits = 0;
  if (p != end && *p == '.') {
    const char* const fraction = ++p;
    if (digits == 0) skip_zeros();
    digits += take_digits();
    fraction_digits = p - fraction;
  }
  if (digits > kMaxFastDigits) return false;
  std::int64_t exponent = 0;
  if (p != end && (*p == 'E' || *p == 'e')) {
    ++p;
    bool exponent_negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
      exponent_negative = *p == '-';
      ++p;
    }
    if (p == end || !IsDigit(*p)) return false;
    while (p != end && IsDigit(*p)) {
      exponent = exponent * 10 + (*p++ - '0');
      if (exponent > kFastExponentCap) return false;
    }
    if (exponent_negative) exponent = -exponent;
  }
  if (p != end) return false;

  double magnitude = 0.0;
  if (mantissa != 0) {
    const std::int64_t power = exponent - fraction_digits;
    if (mantissa > kMaxExactInteger || power < -kMaxExactPower || power > kMaxExactPower) {
      return false;
    }
    const auto m = static_cast<double>(mantissa);
    magnitude = power >= 0 ? m * kExactPowersOfTen[power] : m / kExactPowersOfTen[-power];
  }
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace

bool ParseReal(std::string_view text, double& value) {
  return ParseFast(text, value) || ParseRealGeneral(text, value);
}

bool ParseRealGeneral(std::string_view text, double& value) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  MantissaDigits mantissa;
  const auto fail = [&] {
    value = PartialValue(mantissa);
    return false;
  };
  if (i == n) return fail();  // empty, all spaces, or a sign alone

  while (i < n && IsDigit(text[i])) mantissa.Add(text[i++]);
  std::int64_t fraction_digits = 0;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && IsDigit(text[i])) {
      mantissa.Add(text[i++]);
      ++fraction_digits;
    }
  }

  std::int64_t exponent = 0;
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool exponent_negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
      exponent_negative = text[i] == '-';
      ++i;
    }
    if (i == n || !IsDigit(text[i])) return fail();
    while (i < n && IsDigit(text[i])) {
      if (exponent < kExponentCap) exponent = exponent * 10 + (text[i] - '0');
      ++i;
    }
    if (exponent_negative) exponent = -exponent;
  }
  if (i != n) return fail();

  double magnitude = 0.0;
  if (ToDouble(mantissa, exponent - fraction_digits, magnitude) == Conversion::kOverflow) {
    return fail();
  }
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace korin
