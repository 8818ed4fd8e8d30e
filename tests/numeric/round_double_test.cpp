// RoundDouble starts from a 27-digit decimal of the double and falls back to
// the exact expansion only at possible ties and carries. Both paths must
// round every double alike; these tests compare them on doubles chosen to
// hit the hard cases, with the arguments the three number texts use.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "numeric/decimal.h"

namespace korin {
namespace {

struct Rounding {
  int significant;
  int lowest_power;
};

// General format with 4 (the Foerster distance beyond 9999), 5 and 15
// digits; exponent format with 5; fixed format: 4 digits, at most 4 decimals.
constexpr Rounding kTextRoundings[] = {
    {4, kNoPowerLimit}, {5, kNoPowerLimit}, {15, kNoPowerLimit}, {4, -4}};

// Answers the number of roundings that differ, reporting each.
int CountDifferences(double value, const Rounding& r) {
  const Decimal fast = RoundDouble(value, r.significant, r.lowest_power);
  const Decimal exact = RoundDoubleExactly(value, r.significant, r.lowest_power);
  const bool same = fast.negative == exact.negative && fast.digits == exact.digits &&
                    fast.exponent == exact.exponent;
  EXPECT_TRUE(same) << std::hexfloat << value << std::defaultfloat << " (" << value << ") with "
                    << r.significant << " digits, lowest power " << r.lowest_power << ": "
                    << fast.digits << "E" << fast.exponent << " vs " << exact.digits << "E"
                    << exact.exponent;
  return same ? 0 : 1;
}

int CountDifferences(double value) {
  int differences = 0;
  for (const auto& r : kTextRoundings) differences += CountDifferences(value, r);
  return differences;
}

// The value and its neighbours, `steps` doubles to each side, both signs.
int CountDifferencesAround(double value, int steps) {
  int differences = 0;
  double below = value;
  double above = value;
  for (int i = 0; i <= steps; ++i) {
    for (const double v : {below, above, -below, -above}) {
      if (std::isfinite(v)) differences += CountDifferences(v);
    }
    below = std::nextafter(below, 0.0);
    above = std::nextafter(above, std::numeric_limits<double>::infinity());
  }
  return differences;
}

// The double nearest the decimal text (from_chars rounds correctly).
double Parsed(const std::string& text) {
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_TRUE(ec == std::errc{} && end == text.data() + text.size()) << text;
  return value;
}

TEST(RoundDoubleTest, AgreesWithTheExactPathOnRandomBitPatterns) {
  std::mt19937_64 random(7);
  int differences = 0;
  for (int i = 0; i < 20000; ++i) {
    const double value = std::bit_cast<double>(random());
    if (std::isfinite(value)) differences += CountDifferences(value);
  }
  EXPECT_EQ(differences, 0);
}

// Typical magnitudes of J, R0 and the parameters, where most texts are made.
TEST(RoundDoubleTest, AgreesWithTheExactPathOnEverydayMagnitudes) {
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> exponent(-25.0, 8.0);
  int differences = 0;
  for (int i = 0; i < 20000; ++i) differences += CountDifferences(std::pow(10.0, exponent(random)));
  EXPECT_EQ(differences, 0);
}

// Dyadic fractions k / 2^n have short exact expansions ending in 5: exact
// ties at some digit count, decided only by the exact path; their
// neighbours lie a hair above or below the tie.
TEST(RoundDoubleTest, AgreesAtAndNextToTies) {
  int differences = 0;
  for (int n = 0; n <= 64; n += 2) {
    for (int k = 1; k < 200; k += 2) {
      for (const double scale : {1.0, 1e4, 1e-4, 1e-13, 1e15}) {
        differences += CountDifferencesAround(std::ldexp(k, -n) * scale, 1);
      }
    }
  }
  // Ties at exactly the digits the texts cut: 1.03125 (5 digits), 0.03125
  // (4 decimals), 2.5e-5 and 1.0625 (4 digits).
  for (const double tie : {1.03125, 0.03125, 0.000025, 1.0625, 1234.5, 0.00005}) {
    differences += CountDifferencesAround(tie, 3);
  }
  // Doubles less than 1e-30 below a 16-digit tie (1.647374939261325e-7,
  // ...): their 27-digit decimals end in 5 and zeros, but at 15 digits they
  // round down. Found by solving m * 5^22 = H * 2^53 - c for small c.
  for (const double near_tie : {0x1.61c5652213d2fp-23, 0x1.3167a08bcd247p-23, 0x1.0109dbf58675fp-23,
                                0x1.dcc38884d1731p-23}) {
    differences += CountDifferencesAround(near_tie, 1);
  }
  EXPECT_EQ(differences, 0);
}

// Just below a power of ten the 27-digit decimal carries into 1000...; the
// rounding position must still come from the exact value's exponent.
TEST(RoundDoubleTest, AgreesAroundPowersOfTen) {
  int differences = 0;
  for (int exponent = -323; exponent <= 308; ++exponent) {
    differences += CountDifferencesAround(Parsed("1e" + std::to_string(exponent)), 3);
  }
  EXPECT_EQ(differences, 0);
}

// Values whose rounding carries into a new leading digit, or that sit at
// the fixed format's fourth decimal, at many scales.
TEST(RoundDoubleTest, AgreesAtCarries) {
  const std::vector<std::string> mantissas = {
      "9.9995", "9.99995", "9.999999999999995", "9.99949999", "99.995",  "999.95",   "9999.95",
      "9999.5", "0.00005", "0.00015",           "0.99995",    "4.99995", "47.49285", "1.23455"};
  int differences = 0;
  for (const auto& mantissa : mantissas) {
    for (int exponent = -30; exponent <= 30; ++exponent) {
      differences += CountDifferencesAround(Parsed(mantissa + "e" + std::to_string(exponent)), 2);
    }
  }
  EXPECT_EQ(differences, 0);
}

TEST(RoundDoubleTest, ExtremesZeroAndLongRoundings) {
  int differences = 0;
  for (const double value :
       {0.0, -0.0, std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
        std::numeric_limits<double>::max(), 1.0, 10.0, 1e22, 1e23}) {
    differences += CountDifferencesAround(value, 2);
    // More digits than the short decimal can decide take the exact path.
    for (const int significant : {1, 2, 25, 26, 40}) {
      differences += CountDifferences(value, Rounding{significant, kNoPowerLimit});
    }
  }
  EXPECT_EQ(differences, 0);
}

}  // namespace
}  // namespace korin
