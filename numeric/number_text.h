// The texts the program writes for numbers. All three round the exact value
// of the double, halves away from zero, and never depend on the C locale.
#pragma once

#include <string>
#include <string_view>

namespace korin {

// General format with `significant` digits: as few digits as the rounded
// value needs, plain notation (0.66667, 1.333, 85000) unless the power of
// ten of the first digit is below -4 or at least `significant`, then
// scientific (1E-5, 1.5E-5, 1E15). The input fields always use ".".
// Preconditions: std::isfinite(value), significant >= 1.
[[nodiscard]] std::string FormatGeneral(double value, int significant,
                                        std::string_view separator = ".");

// The overlap-integral text: five significant digits, always in exponent
// form with a signed exponent (1.2346E-13, 5.0000E-14, 0.0000E+0).
// Precondition: std::isfinite(value).
[[nodiscard]] std::string FormatExponent(double value, std::string_view separator);

// The Foerster-distance text: rounded to four significant digits and at
// most four decimals, written with exactly four decimals (47.4900, 0.0123);
// a value that rounds to 10000 or more falls back to the general format
// with four digits (1.235E4). Precondition: std::isfinite(value).
[[nodiscard]] std::string FormatFixed(double value, std::string_view separator);

// The shortest text that reads back to exactly `value` ("0.1", "1e-05"),
// for data that scripts read back. Precondition: std::isfinite(value).
[[nodiscard]] std::string RoundTripText(double value);

}  // namespace korin
