#include "core/forster.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>
#include <random>
#include <string>
#include <utility>

#include "core/emission.h"
#include "core/extinction.h"
#include "numeric/number_text.h"
#include "support/spectrum_fixtures.h"

namespace korin {
namespace {

// The parameters as the panel stores them at start-up.
FretSession StartUpParameters(double overlap_integral) {
  FretSession s;
  s.orientation_factor = 0.66667;
  s.refractive_index = 1.333;
  s.quantum_yield = 0.5;
  s.overlap_integral = overlap_integral;
  return s;
}

struct WorkedExample {
  double j;
  double r0_low;  // R0 lies in [r0_low, r0_high]
  double r0_high;
  const char* j_text;
  const char* r0_text;
};

TEST(ForsterDistanceTest, WorkedExamples) {
  const WorkedExample cases[] = {
      {1.234567e-13, 47.4928, 47.4929, "1.2346E-13", "47.4900"},
      {1e-13, 45.85, 45.86, "1.0000E-13", "45.8500"},
      {1.0000001e-20, 3.1239, 3.1240, "1.0000E-20", "3.1240"},
      // The double nearest 1e-20 lies below the exact bound.
      {1e-20, 0.0, 0.0, "1.0000E-20", "0.0000"},
      {std::nextafter(1e-20, 0.0), 0.0, 0.0, "1.0000E-20", "0.0000"},
      {0.0, 0.0, 0.0, "0.0000E+0", "0.0000"},
      {-3.2e-15, 0.0, 0.0, "-3.2000E-15", "0.0000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.j);
    const double r0 = ForsterDistance(StartUpParameters(c.j));
    EXPECT_GE(r0, c.r0_low);
    EXPECT_LE(r0, c.r0_high);
    EXPECT_EQ(FormatExponent(c.j, "."), c.j_text);
    EXPECT_EQ(FormatFixed(r0, "."), c.r0_text);
  }
  // Just above the double nearest 1e-20 the bound is passed.
  EXPECT_GT(ForsterDistance(StartUpParameters(std::nextafter(1e-20, 1.0))), 3.12);
}

// x = kappa^2 n^-4 Q J overflows for the largest J, while R0 itself is an
// ordinary double; compare with the sixth root taken in long double.
TEST(ForsterDistanceTest, HugeOverlapIntegralStillGivesItsDistance) {
  for (const double j : {1e290, 1e300, 1.7976931348623157e308}) {
    SCOPED_TRACE(j);
    FretSession s;
    s.orientation_factor = 1.0;
    s.refractive_index = 1e-4;  // passes the gate: its double lies above 1e-4
    s.quantum_yield = 1.0;
    s.overlap_integral = j;
    const long double x = static_cast<long double>(j) / std::pow(1e-4L, 4);
    const double expected = static_cast<double>(9790.0L * std::pow(x, 1.0L / 6));
    const double r0 = ForsterDistance(s);
    EXPECT_TRUE(std::isfinite(r0));
    EXPECT_NEAR(r0, expected, expected * 1e-12);
  }
}

// J of two Gaussians has a closed form: their product is a Gaussian,
// K * exp(-(w - mu)^2 / (2 s^2)), and the integral of that times w^4 is
// K s sqrt(2 pi) (mu^4 + 6 mu^2 s^2 + 3 s^4).
TEST(ComputeOverlapIntegralTest, TwoGaussiansMatchTheClosedForm) {
  const double height = 1000.0, donor_centre = 520.0, donor_sigma = 15.0;
  const double peak_absorbance = 0.85, acceptor_centre = 560.0, acceptor_sigma = 25.0;
  FretSession s;
  LayGaussian(s.donor_emission, 400, 700, height, donor_centre, donor_sigma);
  s.emission_first = 400;
  s.emission_last = 700;
  s.emission_valid = true;
  LayGaussian(s.acceptor_absorbance, 400, 800, peak_absorbance, acceptor_centre, acceptor_sigma);
  s.absorption_first = 400;
  s.absorption_last = 800;
  s.absorption_valid = true;
  s.concentration = 1e-5;
  s.optical_path = 1.0;

  ASSERT_TRUE(NormalizeEmission(s));
  ASSERT_EQ(ExtinctionFromConcentration(s, 400, 800), ConcentrationDerivation::kDerived);
  ASSERT_TRUE(ComputeOverlapIntegral(s));

  const double sum_sq = donor_sigma * donor_sigma + acceptor_sigma * acceptor_sigma;
  const double s2 = donor_sigma * donor_sigma * acceptor_sigma * acceptor_sigma / sum_sq;
  const double mu = (donor_centre * acceptor_sigma * acceptor_sigma +
                     acceptor_centre * donor_sigma * donor_sigma) /
                    sum_sq;
  const double k =
      std::exp(-(donor_centre - acceptor_centre) * (donor_centre - acceptor_centre) / (2 * sum_sq));
  const double root_2pi = std::sqrt(2 * std::numbers::pi);
  const double moment =
      k * std::sqrt(s2) * root_2pi * (std::pow(mu, 4) + 6 * mu * mu * s2 + 3 * s2 * s2);
  const double epsilon = peak_absorbance / 1e-5;               // M^-1 cm^-1 at the peak
  const double numerator = height * epsilon * moment * 1e-28;  // nm^4 -> cm^4

  // Against the true area of the donor Gaussian: the area rule adds about
  // one peak height times 1 nm (the whole fall), some 2.6 per cent here.
  const double gaussian_area = height * donor_sigma * root_2pi;
  EXPECT_NEAR(s.overlap_integral, numerator / gaussian_area, 0.03 * numerator / gaussian_area);
  // With that fall added the sums on the 1-nm grid match the integrals
  // almost to the last digit.
  const double rule_area = gaussian_area + height;
  EXPECT_NEAR(s.emission_area, rule_area, rule_area * 1e-12);
  EXPECT_NEAR(s.overlap_integral, numerator / rule_area, 1e-9 * numerator / rule_area);
}

TEST(ComputeOverlapIntegralTest, SumsAllGridPointsWhateverTheRanges) {
  FretSession s;  // no ranges, no flags: the grid alone counts
  s.donor_emission[100] = 1.0;
  s.acceptor_extinction[100] = 2.0;
  s.donor_emission[1500] = 1.0;
  s.acceptor_extinction[1500] = 3.0;
  s.donor_emission[800] = 5.0;  // no acceptor there: adds nothing
  ASSERT_TRUE(ComputeOverlapIntegral(s));
  // 2 * (1e-5 cm)^4 + 3 * (1.5e-4 cm)^4 = 2e-20 + 1.51875e-15
  EXPECT_NEAR(s.overlap_integral, 1.51877e-15, 1.51877e-15 * 1e-12);
}

TEST(ComputeOverlapIntegralTest, SeparateSpectraGiveZero) {
  FretSession s = StartUpParameters(1.2e-13);  // J of an earlier calculation
  LoadEmission(s, 300, {0.0, 4.0, 2.0, 0.0});
  LoadAbsorbance(s, 600, {0.0, 0.5, 0.9, 0.1});
  ASSERT_TRUE(NormalizeEmission(s));
  ASSERT_EQ(ExtinctionFromConcentration(s, 600, 603), ConcentrationDerivation::kDerived);
  ASSERT_TRUE(ComputeOverlapIntegral(s));
  EXPECT_EQ(s.overlap_integral, 0.0);
  EXPECT_EQ(FormatExponent(s.overlap_integral, "."), "0.0000E+0");
  EXPECT_EQ(FormatFixed(ForsterDistance(s), "."), "0.0000");
}

TEST(ComputeOverlapIntegralTest, NegativeBaselineUnderTheEmissionGivesNegativeJ) {
  FretSession s = StartUpParameters(0.0);
  LoadEmission(s, 500, {0.0, 2.0, 0.0});  // normalised: 0.5 at 501 nm
  LoadAbsorbance(s, 490, std::vector<double>(21, -0.001));
  ASSERT_TRUE(NormalizeEmission(s));
  ASSERT_EQ(ExtinctionFromConcentration(s, 490, 510), ConcentrationDerivation::kDerived);
  ASSERT_TRUE(ComputeOverlapIntegral(s));
  // 0.5 nm^-1 * -100 M^-1 cm^-1 * (5.01e-5 cm)^4 = -3.150e-16
  EXPECT_NEAR(s.overlap_integral, -3.150e-16, 0.001e-16);
  EXPECT_EQ(ForsterDistance(s), 0.0);
  EXPECT_EQ(FormatFixed(ForsterDistance(s), "."), "0.0000");
}

// (w in cm)^4 = w^4 * 1e-28, correctly rounded: from_chars rounds the
// exact decimal once.
double FourthPowerInCm(int w) {
  const auto w4 = static_cast<std::uint64_t>(w) * w * w * w;
  const std::string text = std::to_string(w4) + "e-28";
  double value = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// Each grid point adds its own term: every point of the 1401, the last
// partial block of lanes included, next to a fixed one at 1000 nm (so that
// the sum is never one the extended path would take over).
TEST(OverlapIntegralOfTest, EveryGridPointAddsItsFourthPower) {
  constexpr int kFixed = 1000;
  for (int w = SpectrumGrid::kFirstWavelength; w <= SpectrumGrid::kLastWavelength; ++w) {
    SpectrumGrid emission;
    SpectrumGrid extinction;
    emission[kFixed] = 1.0;
    extinction[kFixed] = 1.0;
    emission[w] = 1.0;
    extinction[w] = 1.0;
    const double expected =
        w == kFixed ? FourthPowerInCm(w) : FourthPowerInCm(w) + FourthPowerInCm(kFixed);
    const std::optional<double> j = OverlapIntegralOf(emission, extinction);
    ASSERT_TRUE(j.has_value()) << w;
    ASSERT_EQ(*j, expected) << w;
  }
}

// Against every term multiplied out and summed in extended precision, with
// compensation: J may differ only by the rounding of each term and of the
// sum, a few units in the last place of a sum of positive terms.
TEST(OverlapIntegralOfTest, MatchesAnExtendedPrecisionSum) {
  std::mt19937_64 random(3);
  std::uniform_real_distribution<double> value(0.0, 1.0);
  std::uniform_int_distribution<int> wavelength(SpectrumGrid::kFirstWavelength,
                                                SpectrumGrid::kLastWavelength);
  for (int trial = 0; trial < 50; ++trial) {
    SpectrumGrid emission;
    SpectrumGrid extinction;
    int first = wavelength(random);
    int last = wavelength(random);
    if (first > last) std::swap(first, last);
    for (int w = first; w <= last; ++w) {
      emission[w] = value(random) * 1e-3;
      extinction[w] = value(random) * 1e5;
    }
    long double sum = 0.0L;
    long double compensation = 0.0L;
    for (int w = SpectrumGrid::kFirstWavelength; w <= SpectrumGrid::kLastWavelength; ++w) {
      const long double lambda = w * 1e-7L;
      const long double term =
          static_cast<long double>(emission[w]) * extinction[w] * lambda * lambda * lambda * lambda;
      const long double y = term - compensation;
      const long double t = sum + y;
      compensation = (t - sum) - y;
      sum = t;
    }
    const std::optional<double> j = OverlapIntegralOf(emission, extinction);
    ASSERT_TRUE(j.has_value());
    const auto expected = static_cast<double>(sum);
    EXPECT_NEAR(*j, expected, 4 * std::numeric_limits<double>::epsilon() * expected)
        << first << ".." << last;
  }
}

struct CancellingCase {
  const char* name;
  int plus;  // +T here
  int small;
  int minus;  // exactly -T here
};

// Summed one by one in doubles, T + s loses s and J would come out 0; the
// compensated sum keeps it, whether the three terms share a running sum
// (16 nm apart) or not.
TEST(OverlapIntegralOfTest, CompensatedSumKeepsWhatCancellingTermsHide) {
  const CancellingCase cases[] = {
      {"one running sum", 500, 516, 532},
      {"three running sums", 500, 600, 700},
  };
  const double scale = std::ldexp(1.0, 120);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FretSession s;
    // (p_minus * 2^120) * p_plus and (-p_plus * 2^120) * p_minus are exact
    // negatives.
    s.donor_emission[c.plus] = FourthPowerInCm(c.minus) * scale;
    s.acceptor_extinction[c.plus] = 1.0;
    s.donor_emission[c.minus] = -FourthPowerInCm(c.plus) * scale;
    s.acceptor_extinction[c.minus] = 1.0;
    s.donor_emission[c.small] = 1.0;
    s.acceptor_extinction[c.small] = 1.0;
    ASSERT_GT(FourthPowerInCm(c.minus) * FourthPowerInCm(c.plus) * scale,
              FourthPowerInCm(c.small) / std::numeric_limits<double>::epsilon());
    ASSERT_TRUE(ComputeOverlapIntegral(s));
    EXPECT_EQ(s.overlap_integral, FourthPowerInCm(c.small));
  }
}

struct OverflowCase {
  const char* name;
  int w1;
  double emission1, extinction1;
  int w2;
  double emission2, extinction2;
  bool finite;
  double expected;
};

TEST(ComputeOverlapIntegralTest, OverflowLeavesNoValue) {
  const OverflowCase cases[] = {
      {"product overflows", 500, 1e200, 1e200, 600, 0.0, 0.0, false, 0.0},
      {"infinities of both signs", 500, 1e200, 1e200, 600, 1e200, -1e200, false, 0.0},
      // 1e306 * 1500 is no double, but the term is multiplied out in
      // extended precision: 1e306 * 1500^4 * 1e-28 = 5.0625e290.
      {"large product on the way", 1500, 1e153, 1e153, 600, 0.0, 0.0, true, 5.0625e290},
      // 1e300 * 500 * 1e-7 ... = 6.25e282
      {"large but finite", 500, 1e150, 1e150, 600, 0.0, 0.0, true, 6.25e282},
      // 1e160 * 1e160 is no double, but times (1e-5 cm)^4 it is 1e300.
      {"product of the spectra overflows", 100, 1e160, 1e160, 600, 0.0, 0.0, true, 1e300},
      // Even where the emission is 0 an infinite extinction spoils the sum.
      {"zero times infinity", 500, 0.0, std::numeric_limits<double>::infinity(), 600, 1.0, 1.0,
       false, 0.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FretSession s;
    s.overlap_integral = 1.2e-13;
    s.donor_emission[c.w1] = c.emission1;
    s.acceptor_extinction[c.w1] = c.extinction1;
    s.donor_emission[c.w2] = c.emission2;
    s.acceptor_extinction[c.w2] = c.extinction2;
    EXPECT_EQ(ComputeOverlapIntegral(s), c.finite);
    if (c.finite) {
      EXPECT_NEAR(s.overlap_integral, c.expected, c.expected * 1e-12);
    } else {
      EXPECT_EQ(s.overlap_integral, 0.0);
    }
  }
}

}  // namespace
}  // namespace korin
