#include "numeric/number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "numeric/decimal.h"

namespace korin {
namespace {

struct GeneralCase {
  double value;
  int significant;
  const char* expected;
};

TEST(NumberTextTest, GeneralFormat) {
  const GeneralCase cases[] = {
      // The texts the input fields show.
      {2.0 / 3.0, 5, "0.66667"},
      {1.333, 15, "1.333"},
      {1e-5, 15, "1E-5"},
      {1.5e-5, 15, "1.5E-5"},
      {1e15, 15, "1E15"},
      {85000.0, 15, "85000"},
      {0.0001, 15, "0.0001"},
      {0.0, 15, "0"},
      {-0.0, 15, "0"},
      {1.0, 5, "1"},
      {-0.5, 15, "-0.5"},
      // Plain notation up to P - 1 as the power of ten, then scientific.
      {123456789012345.6, 15, "123456789012346"},
      {999999999999999.4, 15, "999999999999999"},
      {999999999999999.6, 15, "1E15"},
      {1234567890123456.0, 15, "1.23456789012346E15"},
      {0.00001234, 15, "1.234E-5"},
      {0.000099999, 5, "9.9999E-5"},
      {0.0000999996, 5, "0.0001"},
      {12345.6, 4, "1.235E4"},
      {-2.5e-300, 15, "-2.5E-300"},
      {std::numeric_limits<double>::max(), 15, "1.79769313486232E308"},
      {std::numeric_limits<double>::denorm_min(), 15, "4.94065645841247E-324"},
      // Halves of the exact binary value go away from zero.
      {2.5, 1, "3"},
      {-2.5, 1, "-3"},
      {0.125, 2, "0.13"},
      {1.03125, 5, "1.0313"},
      // The exact value decides, not a shorter decimal of it: the double
      // nearest 0.15 lies below 0.15.
      {0.15, 1, "0.1"},
      // Less than 1e-30 below the tie 1.647374939261325e-7: a 27-digit
      // decimal of it ends in ...1325000..., the exact value rounds down.
      {0x1.61c5652213d2fp-23, 15, "1.64737493926132E-7"},
      {-0x1.3167a08bcd247p-23, 15, "-1.42215189286069E-7"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatGeneral(c.value, c.significant), c.expected)
        << c.value << " with " << c.significant << " digits";
  }
}

TEST(NumberTextTest, GeneralFormatTakesASeparator) {
  EXPECT_EQ(FormatGeneral(1.235, 4, ","), "1,235");
  EXPECT_EQ(FormatGeneral(12345.6, 4, ","), "1,235E4");
}

struct ResultCase {
  double value;
  const char* expected;
};

TEST(NumberTextTest, ExponentFormatOfTheOverlapIntegral) {
  const ResultCase cases[] = {
      {1.234567e-13, "1.2346E-13"}, {5e-14, "5.0000E-14"},       {0.0, "0.0000E+0"},
      {-3.2e-15, "-3.2000E-15"},    {1.0, "1.0000E+0"},          {123456.0, "1.2346E+5"},
      {1e100, "1.0000E+100"},       {9.99996e-13, "1.0000E-12"},  // the carry moves the exponent
      {1.03125, "1.0313E+0"},                                     // an exact half goes up
      {-1.03125, "-1.0313E+0"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatExponent(c.value, "."), c.expected) << c.value;
  EXPECT_EQ(FormatExponent(1.234567e-13, ","), "1,2346E-13");
}

TEST(NumberTextTest, FixedFormatOfTheFoersterDistance) {
  const ResultCase cases[] = {
      {54.3219, "54.3200"},
      {47.4928, "47.4900"},
      {9.87654, "9.8770"},
      {0.0123456, "0.0123"},
      {0.0, "0.0000"},
      {45.85, "45.8500"},
      {3.1239, "3.1240"},   // four significant digits
      {0.03125, "0.0313"},  // an exact half at the fourth decimal goes up
      {0.00004, "0.0000"},
      {0.00005, "0.0001"},
      {999.95, "1000.0000"},  // the double nearest 999.95 lies above it
      {9999.4, "9999.0000"},
      // Rounding to 10000 or more falls back to four general digits.
      {12345.6, "1.235E4"},
      {9999.96, "1E4"},
      {1e20, "1E20"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFixed(c.value, "."), c.expected) << c.value;
  EXPECT_EQ(FormatFixed(47.4928, ","), "47,4900");
  EXPECT_EQ(FormatFixed(12345.6, ","), "1,235E4");
}

TEST(DecimalTest, ExactDecimalHoldsEveryDigit) {
  const Decimal third = ExactDecimal(1.0 / 3.0);
  EXPECT_EQ(third.exponent, -1);
  EXPECT_EQ(third.digits, "333333333333333314829616256247390992939472198486328125");
  const Decimal min = ExactDecimal(std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(min.exponent, -324);
  EXPECT_EQ(min.digits.size(), 751u);
  EXPECT_TRUE(ExactDecimal(-0.0).IsZero());
}

TEST(DecimalTest, RoundAtPowerCarriesAndVanishes) {
  const Decimal nines = RoundAtPower(ExactDecimal(9.96), -1);
  EXPECT_EQ(nines.digits, "1");
  EXPECT_EQ(nines.exponent, 1);
  const Decimal half = RoundAtPower(ExactDecimal(0.5), 0);
  EXPECT_EQ(half.digits, "1");
  EXPECT_EQ(half.exponent, 0);
  EXPECT_TRUE(RoundAtPower(ExactDecimal(0.4), 0).IsZero());
  EXPECT_TRUE(RoundAtPower(ExactDecimal(-0.04), -1).IsZero());
  EXPECT_FALSE(RoundAtPower(ExactDecimal(-0.04), -1).negative);
}

}  // namespace
}  // namespace korin
