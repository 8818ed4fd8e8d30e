// The program's one number syntax, for every number read from a file or
// typed into a field: [spaces] [+|-] [digits] [. [digits]] [(E|e) [+|-] digits].
// "." is the only decimal separator in every locale; nothing may follow.
#pragma once

#include <string_view>

namespace korin {

// Converts `text`, correctly rounded to the nearest double, and answers
// true. Text outside the syntax, and a number too large for a double
// (1e400), answers false; `value` is then the whole number formed by the
// mantissa digits read before the offending character, ignoring sign, point
// and exponent ("12.5x" gives 125), saturated at the largest double.
// `value` is finite in every case. A number too small for a double reads as
// zero of its sign.
[[nodiscard]] bool ParseReal(std::string_view text, double& value);

// ParseReal without its fast path for short numbers: the general conversion,
// which ParseReal must match bit for bit. For tests that compare the two.
[[nodiscard]] bool ParseRealGeneral(std::string_view text, double& value);

}  // namespace korin
