#include "core/extinction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "numeric/number_text.h"
#include "support/spectrum_fixtures.h"

namespace korin {
namespace {

TEST(ExtinctionFromConcentrationTest, BeerLambertPeak) {
  FretSession s;
  LoadAbsorbance(s, 500, {0.1, 0.4, 0.85, 0.3});
  s.concentration = 1e-5;
  s.optical_path = 1.0;
  ASSERT_EQ(ExtinctionFromConcentration(s, 500, 503), ConcentrationDerivation::kDerived);
  EXPECT_TRUE(s.extinction_valid);
  // 0.85 / 1e-5 mol/L / 1 cm = 85000 M^-1 cm^-1, within rounding.
  EXPECT_NEAR(s.extinction_max, 85000.0, 85000.0 * 1e-15);
  EXPECT_EQ(FormatGeneral(s.extinction_max, 15), "85000");
  EXPECT_EQ(s.acceptor_extinction[502], s.extinction_max);
  EXPECT_NEAR(s.acceptor_extinction[500], 10000.0, 1e-9);
  EXPECT_NEAR(s.acceptor_extinction[503], 30000.0, 1e-9);
}

TEST(ExtinctionFromConcentrationTest, DividesByConcentrationThenByPath) {
  FretSession s;
  LoadAbsorbance(s, 600, {0.123});
  s.concentration = 3e-6;
  s.optical_path = 0.1;
  // One division by the product 3e-7 misses the exact 410000 by an ulp;
  // the two divisions in order hit it.
  ASSERT_NE(0.123 / (3e-6 * 0.1), 410000.0);
  ASSERT_EQ(ExtinctionFromConcentration(s, 600, 600), ConcentrationDerivation::kDerived);
  EXPECT_EQ(s.acceptor_extinction[600], 410000.0);
  EXPECT_EQ(s.extinction_max, 410000.0);
}

TEST(ExtinctionFromConcentrationTest, NoPositiveAbsorbanceGivesPeakZero) {
  FretSession s;
  LoadAbsorbance(s, 400, {-0.02, 0.0, -0.01});
  s.extinction_max = 5e4;  // from an earlier spectrum
  ASSERT_EQ(ExtinctionFromConcentration(s, 400, 402), ConcentrationDerivation::kDerived);
  EXPECT_TRUE(s.extinction_valid);
  EXPECT_EQ(s.extinction_max, 0.0);
  EXPECT_EQ(FormatGeneral(s.extinction_max, 15), "0");
  // Baseline noise stays in the grid as negative extinction.
  EXPECT_NEAR(s.acceptor_extinction[400], -2000.0, 1e-9);
  EXPECT_NEAR(s.acceptor_extinction[402], -1000.0, 1e-9);
}

TEST(ExtinctionFromConcentrationTest, WritesOnlyTheGivenRange) {
  FretSession s;
  LoadAbsorbance(s, 700, {0.5, 0.5, 0.5});
  s.acceptor_absorbance[699] = 0.9;  // must be neither derived nor the peak
  s.acceptor_absorbance[703] = 0.9;
  ASSERT_EQ(ExtinctionFromConcentration(s, 700, 702), ConcentrationDerivation::kDerived);
  EXPECT_EQ(s.acceptor_extinction[699], 0.0);
  EXPECT_EQ(s.acceptor_extinction[703], 0.0);
  EXPECT_NEAR(s.extinction_max, 50000.0, 1e-9);
}

struct DivisionCase {
  double concentration;
  double optical_path;
};

// Every point is the absorbance divided by the concentration, then by the
// path, bit for bit (the paths 1 and 0.5 cm are powers of two, the others
// not), and the peak is the largest value above 0.0, over a range long
// enough for every vector width and a partial block at its end.
TEST(ExtinctionFromConcentrationTest, EveryPointIsTwoDivisionsInOrder) {
  const DivisionCase cases[] = {{1e-5, 1.0},  {3e-6, 0.1},  {2.5e-6, 0.5},
                                {1e-6, 10.0}, {7e-12, 5.0}, {10.0, 0.2}};
  std::mt19937_64 random(9);
  std::uniform_real_distribution<double> absorbance(-0.05, 1.5);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.optical_path);
    FretSession s;
    std::vector<double> values(1323);
    for (double& v : values) v = absorbance(random);
    values[17] = 1e-310;  // subnormal quotients round too
    LoadAbsorbance(s, 150, values);
    s.concentration = c.concentration;
    s.optical_path = c.optical_path;
    ASSERT_EQ(ExtinctionFromConcentration(s, s.absorption_first, s.absorption_last),
              ConcentrationDerivation::kDerived);
    double peak = 0.0;
    for (int w = s.absorption_first; w <= s.absorption_last; ++w) {
      const double expected = s.acceptor_absorbance[w] / c.concentration / c.optical_path;
      ASSERT_EQ(s.acceptor_extinction[w], expected) << w;
      if (expected > peak) peak = expected;
    }
    EXPECT_EQ(s.extinction_max, peak);
    EXPECT_EQ(s.acceptor_extinction[149], 0.0);
    EXPECT_EQ(s.acceptor_extinction[1473], 0.0);
  }
}

// Each case leaves the previous grid and peak as they were.
struct KeptCase {
  const char* name;
  bool extinction_mode;
  bool concentration_valid;
  ConcentrationDerivation expected;
  bool extinction_valid_after;
};

TEST(ExtinctionFromConcentrationTest, ModeAndInvalidConcentrationKeepPreviousValues) {
  const KeptCase cases[] = {
      {"extinction mode", true, true, ConcentrationDerivation::kExtinctionMode, false},
      {"extinction mode, bad concentration", true, false, ConcentrationDerivation::kExtinctionMode,
       false},
      // The flag is set although nothing is derived; the gate still refuses
      // through concentration_valid.
      {"bad concentration", false, false, ConcentrationDerivation::kNoConcentration, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FretSession s;
    LoadAbsorbance(s, 500, {0.2, 0.4});
    s.acceptor_extinction[500] = 111.0;
    s.acceptor_extinction[501] = 222.0;
    s.extinction_max = 222.0;
    s.extinction_mode = c.extinction_mode;
    s.concentration_valid = c.concentration_valid;
    EXPECT_EQ(ExtinctionFromConcentration(s, 500, 501), c.expected);
    EXPECT_EQ(s.extinction_valid, c.extinction_valid_after);
    EXPECT_EQ(ValuesOver(s.acceptor_extinction, 500, 501), (std::vector<double>{111.0, 222.0}));
    EXPECT_EQ(s.extinction_max, 222.0);
  }
}

struct OverflowCase {
  double absorbance;
  double concentration;
  double optical_path;
  bool derivable;
};

// Files may hold any finite double and the field accepts 1e-12 mol/L.
TEST(ExtinctionFromConcentrationTest, OverflowDerivesNothing) {
  const OverflowCase cases[] = {
      {1e300, 1e-12, 1.0, false},   // 1e312
      {-1e300, 1e-12, 1.0, false},  // -1e312
      {1.7e308, 1.0, 0.1, false},   // 1.7e309 after the second division
      {1e290, 1e-12, 0.1, true},    // 1e303 still fits
      {-1e290, 1e-12, 0.1, true},   //
      {1e-300, 10.0, 10.0, true},   // tiny values just get smaller
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.absorbance);
    FretSession s;
    LoadAbsorbance(s, 500, {0.5, c.absorbance, 0.25});
    s.acceptor_extinction[500] = 1.0;
    s.acceptor_extinction[501] = 2.0;
    s.acceptor_extinction[502] = 3.0;
    s.extinction_max = 3.0;
    s.concentration = c.concentration;
    s.optical_path = c.optical_path;
    const auto result = ExtinctionFromConcentration(s, 500, 502);
    EXPECT_TRUE(AllFinite(s.acceptor_extinction));
    EXPECT_TRUE(std::isfinite(s.extinction_max));
    if (c.derivable) {
      EXPECT_EQ(result, ConcentrationDerivation::kDerived);
      EXPECT_TRUE(s.extinction_valid);
      EXPECT_NE(s.acceptor_extinction[501], 2.0);
    } else {
      EXPECT_EQ(result, ConcentrationDerivation::kNotFinite);
      EXPECT_FALSE(s.extinction_valid);
      EXPECT_EQ(ValuesOver(s.acceptor_extinction, 500, 502), (std::vector<double>{1.0, 2.0, 3.0}));
      EXPECT_EQ(s.extinction_max, 3.0);
    }
  }
}

// In extinction mode the typed coefficient is in extinction_max already.
FretSession TypedCoefficient(double coefficient, const std::vector<double>& absorbance) {
  FretSession s;
  LoadAbsorbance(s, 500, absorbance);
  s.extinction_mode = true;
  s.extinction_max = coefficient;
  return s;
}

TEST(RescaleExtinctionTest, EqualMaximaGetExactlyTheTypedValue) {
  // Coefficients across the accepted range (0.001, 1e10).
  for (const double typed : {85000.0, 0.0011, 12345.678, 9.9e9}) {
    SCOPED_TRACE(typed);
    FretSession s = TypedCoefficient(typed, {0.2, 0.7, 0.35, 0.7, -0.07});
    ASSERT_TRUE(RescaleExtinction(s));
    EXPECT_TRUE(s.extinction_valid);
    EXPECT_EQ(s.acceptor_extinction[501], typed);
    EXPECT_EQ(s.acceptor_extinction[503], typed);
    EXPECT_EQ(s.acceptor_extinction[502], typed / 2);  // 0.35 is exactly half of 0.7
    EXPECT_LT(s.acceptor_extinction[504], 0.0);        // negative baseline stays negative
    EXPECT_EQ(s.extinction_max, typed);                // kept, not recomputed
  }
}

TEST(RescaleExtinctionTest, DividesBeforeMultiplying) {
  FretSession s = TypedCoefficient(85000.0, {0.3, 0.85});
  // 0.3 / 0.85 rounds up and the multiplication keeps that last bit;
  // multiplying first would give exactly 30000.
  ASSERT_EQ(0.3 * 85000.0 / 0.85, 30000.0);
  ASSERT_TRUE(RescaleExtinction(s));
  EXPECT_EQ(s.acceptor_extinction[500], std::nextafter(30000.0, 1e9));
}

struct RefusedCase {
  const char* name;
  std::vector<double> absorbance;
  double typed;
};

TEST(RescaleExtinctionTest, RefusedScalingDerivesNothing) {
  const RefusedCase cases[] = {
      {"no positive absorbance", {-0.1, 0.0, -0.3}, 85000.0},
      {"all zero", {0.0, 0.0}, 85000.0},
      {"division overflows", {-1e300, 1e-300}, 85000.0},
      {"multiplication overflows", {-1e300, 1e-5}, 1e9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FretSession s = TypedCoefficient(c.typed, c.absorbance);
    // Left over from concentration mode.
    for (int w = s.absorption_first; w <= s.absorption_last; ++w) s.acceptor_extinction[w] = 7.0;
    s.extinction_valid = true;
    EXPECT_FALSE(RescaleExtinction(s));
    EXPECT_FALSE(s.extinction_valid);
    for (int w = s.absorption_first; w <= s.absorption_last; ++w) {
      EXPECT_EQ(s.acceptor_extinction[w], 7.0) << w;
    }
    EXPECT_EQ(s.extinction_max, c.typed);
  }
}

TEST(RescaleExtinctionTest, LargeButFiniteScalingIsDerived) {
  // -1e290 / 1e-5 * 1e9 = -1e304: extreme, yet a double.
  FretSession s = TypedCoefficient(1e9, {-1e290, 1e-5});
  ASSERT_TRUE(RescaleExtinction(s));
  EXPECT_NEAR(s.acceptor_extinction[500], -1e304, 1e290);
  EXPECT_EQ(s.acceptor_extinction[501], 1e9);
}

TEST(RescaleExtinctionTest, NothingWithoutAnAbsorptionSpectrum) {
  FretSession s;  // range 0..0 lies outside the grid and must not be read
  s.extinction_mode = true;
  s.extinction_max = 85000.0;
  EXPECT_FALSE(RescaleExtinction(s));
  EXPECT_FALSE(s.extinction_valid);
  EXPECT_TRUE(AllFinite(s.acceptor_extinction));
}

}  // namespace
}  // namespace korin
