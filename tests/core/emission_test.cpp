#include "core/emission.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/calculation_gate.h"
#include "support/spectrum_fixtures.h"

namespace korin {
namespace {

struct AreaCase {
  std::vector<double> raw;
  double area;
  std::vector<double> normalised;
};

// Each step adds the rectangle under its left point plus half the absolute
// change, worked by hand below.
TEST(NormalizeEmissionTest, AreaRule) {
  const AreaCase cases[] = {
      // 0 -> 2: 0 + 1 = 1; 2 -> 0: 2 + 1 = 3. The trapezoidal rule gives 2.
      {{0.0, 2.0, 0.0}, 4.0, {0.0, 0.5, 0.0}},
      // A rise alone is the trapezoid: 1 + 1 = 2.
      {{1.0, 3.0}, 2.0, {0.5, 1.5}},
      // A fall adds the whole fall to the trapezoid: 3 + 1 = 4, not 2.
      {{3.0, 1.0}, 4.0, {0.75, 0.25}},
      {{2.0, 2.0, 2.0}, 4.0, {0.5, 0.5, 0.5}},
      // Negative baseline, positive overall: -1 + 2 = 1; 3 + 1 = 4.
      {{-1.0, 3.0, 1.0}, 5.0, {-0.2, 0.6, 0.2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.area);
    FretSession s;
    LoadEmission(s, 450, c.raw);
    ASSERT_TRUE(NormalizeEmission(s));
    EXPECT_TRUE(s.emission_valid);
    EXPECT_EQ(s.emission_area, c.area);
    const auto normalised = ValuesOver(s.donor_emission, s.emission_first, s.emission_last);
    ASSERT_EQ(normalised.size(), c.normalised.size());
    for (std::size_t i = 0; i < normalised.size(); ++i) {
      EXPECT_DOUBLE_EQ(normalised[i], c.normalised[i]) << "point " << i;
    }
    EXPECT_EQ(s.donor_emission[449], 0.0);
    EXPECT_EQ(s.donor_emission[450 + static_cast<int>(c.raw.size())], 0.0);
  }
}

struct RefusedCase {
  const char* name;
  std::vector<double> raw;
};

// An emission that cannot be normalised counts as not loaded: its raw,
// finite values stay, the flag is cleared and the gate keeps the results
// hidden.
TEST(NormalizeEmissionTest, UnusableAreaCountsAsNotLoaded) {
  const RefusedCase cases[] = {
      {"all zero", {0.0, 0.0, 0.0, 0.0}},
      {"single point", {5.0}},
      {"negative overall", {-1.0, -3.0, -1.0}},  // 0 + (-2) = -2
      {"cancels to zero", {-1.0, 1.0}},          // 1 + (-1) = 0
      {"area sum overflows", {1e308, 1e308, 1e308}},
      {"step overflows", {1.7e308, -1.7e308}},
      // The dip adds 0.5e300 and then -0.5e300, leaving an area of 0.5e-300
      // that 1e300 cannot be divided by.
      {"division overflows", {0.0, -1e300, 0.0, 1e-300}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FretSession s;
    LoadEmission(s, 600, c.raw);
    s.absorption_valid = s.extinction_valid = true;
    EXPECT_FALSE(NormalizeEmission(s));
    EXPECT_FALSE(s.emission_valid);
    EXPECT_EQ(ValuesOver(s.donor_emission, s.emission_first, s.emission_last), c.raw);
    EXPECT_TRUE(AllFinite(s.donor_emission));
    EXPECT_TRUE(std::isfinite(s.emission_area));
    EXPECT_FALSE(GateConditionsHold(s));
  }
}

TEST(NormalizeEmissionTest, TinyButUsableArea) {
  // The same dip with a larger tail: area 0.5, values 2e300 and 2.
  FretSession s;
  LoadEmission(s, 600, {0.0, -1e300, 0.0, 1.0});
  ASSERT_TRUE(NormalizeEmission(s));
  EXPECT_EQ(s.emission_area, 0.5);
  EXPECT_EQ(s.donor_emission[601], -2e300);
  EXPECT_EQ(s.donor_emission[603], 2.0);
}

TEST(NormalizeEmissionTest, NothingWithoutAnEmissionSpectrum) {
  FretSession s;  // range 0..0 lies outside the grid and must not be read
  s.emission_area = 3.0;
  EXPECT_FALSE(NormalizeEmission(s));
  EXPECT_FALSE(s.emission_valid);
  EXPECT_EQ(s.emission_area, 3.0);
}

}  // namespace
}  // namespace korin
