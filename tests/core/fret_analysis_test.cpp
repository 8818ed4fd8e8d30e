#include "core/fret_analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/analysis_result.h"
#include "core/extinction.h"
#include "core/forster.h"
#include "numeric/number_text.h"
#include "support/spectrum_fixtures.h"

namespace korin {
namespace {

TEST(FretAnalysisTest, UnitsAndTexts) {
  EXPECT_DOUBLE_EQ(OverlapIntegralInNm4(3.1962e-13), 3.1962e15);
  EXPECT_DOUBLE_EQ(AngstromsToNanometres(55.65), 5.565);
  EXPECT_EQ(AnalysisText(3.19621e15), "3.1962E15");
  EXPECT_EQ(AnalysisText(55.652158), "55.652");
  EXPECT_EQ(AnalysisText(5.5652158), "5.5652");
  // Five digits always, trailing zeros included.
  EXPECT_EQ(AnalysisText(61.4), "61.400");
  EXPECT_EQ(AnalysisText(1e15), "1.0000E15");
  EXPECT_EQ(AnalysisText(0.5), "0.50000");
  EXPECT_EQ(AnalysisText(-2.0), "-2.0000");
}

TEST(FretAnalysisTest, EfficiencyAndDistanceAtTheirLandmarks) {
  constexpr double kR0 = 55.0;
  EXPECT_DOUBLE_EQ(TransferEfficiency(kR0, kR0), 0.5);
  EXPECT_NEAR(TransferEfficiency(0.5 * kR0, kR0), 0.984615, 1e-6);  // 64 / 65
  EXPECT_NEAR(TransferEfficiency(1.5 * kR0, kR0), 0.080706, 1e-6);  // 1 / (1 + 1.5^6)
  EXPECT_EQ(TransferEfficiency(0.0, kR0), 1.0);
  EXPECT_DOUBLE_EQ(DonorAcceptorDistance(0.5, kR0), kR0);
  EXPECT_NEAR(DonorAcceptorDistance(0.9846, kR0), 0.5 * kR0, 0.01);
  // There and back.
  for (const double r : {10.0, 42.0, 80.0, 110.0}) {
    EXPECT_NEAR(DonorAcceptorDistance(TransferEfficiency(r, kR0), kR0), r, 1e-9 * r) << r;
  }
}

TEST(FretAnalysisTest, EfficiencyInputsAndTheirRefusals) {
  const struct {
    const char* what;
    Checked checked;
    double value;  // NaN: refused
  } cases[] = {
      {"E inside", EfficiencyOf(0.25), 0.25},
      {"E = 0", EfficiencyOf(0.0), NAN},
      {"E = 1", EfficiencyOf(1.0), NAN},
      {"E negative", EfficiencyOf(-0.2), NAN},
      {"lifetimes", EfficiencyFromLifetimes(1.0, 4.0), 0.75},
      {"tau_DA above tau_D", EfficiencyFromLifetimes(4.5, 4.0), NAN},
      {"negative lifetime", EfficiencyFromLifetimes(-1.0, 4.0), NAN},
      {"no transfer at all", EfficiencyFromLifetimes(4.0, 4.0), NAN},
      {"intensities", EfficiencyFromIntensities(300.0, 1200.0), 0.75},
      {"zero donor intensity", EfficiencyFromIntensities(0.0, 0.0), NAN},
      {"distance", DistanceOf(48.0), 48.0},
      {"negative distance", DistanceOf(-1.0), NAN},
  };
  for (const auto& c : cases) {
    if (std::isnan(c.value)) {
      EXPECT_FALSE(c.checked.value.has_value()) << c.what;
      EXPECT_FALSE(c.checked.message.empty()) << c.what;
    } else {
      ASSERT_TRUE(c.checked.value.has_value()) << c.what << ": " << c.checked.message;
      EXPECT_DOUBLE_EQ(*c.checked.value, c.value) << c.what;
      EXPECT_TRUE(c.checked.message.empty()) << c.what;
    }
  }
}

TEST(FretAnalysisTest, Kappa2BoundsFromAnisotropies) {
  std::string message;
  const auto isotropic = Kappa2FromAnisotropies(0.0, 0.0, message);
  ASSERT_TRUE(isotropic.has_value());
  EXPECT_DOUBLE_EQ(isotropic->min, 2.0 / 3.0);
  EXPECT_DOUBLE_EQ(isotropic->max, 2.0 / 3.0);
  const auto fixed = Kappa2FromAnisotropies(0.4, 0.4, message);
  ASSERT_TRUE(fixed.has_value());
  EXPECT_DOUBLE_EQ(fixed->min, 0.0);
  EXPECT_DOUBLE_EQ(fixed->max, 4.0);
  const auto partial = Kappa2FromAnisotropies(0.1, 0.1, message);  // d = 0.5 each
  ASSERT_TRUE(partial.has_value());
  EXPECT_DOUBLE_EQ(partial->min, 1.0 / 3.0);
  EXPECT_DOUBLE_EQ(partial->max, 2.0 / 3.0 * 2.75);
  for (const double r : {-0.01, 0.41}) {
    EXPECT_FALSE(Kappa2FromAnisotropies(r, 0.1, message).has_value()) << r;
    EXPECT_FALSE(message.empty());
  }
}

FretSession PanelSession(double j) {
  FretSession s;
  s.orientation_factor = 2.0 / 3.0;
  s.quantum_yield = 0.5;
  s.refractive_index = 1.4;
  s.overlap_integral = j;
  return s;
}

// Each relative error enters R0 with the weight 1/6, n's with -4/6.
TEST(FretAnalysisTest, UncertaintyWeightsEachFactor) {
  const FretSession s = PanelSession(1e-13);
  const double r0 = ForsterDistance(s);
  const R0Uncertainty none = ForsterDistanceUncertainty(s, {2.0 / 3.0, 2.0 / 3.0}, {});
  EXPECT_DOUBLE_EQ(none.r0_min, r0);
  EXPECT_DOUBLE_EQ(none.r0_max, r0);
  for (const FactorSpread& f : none.factors) EXPECT_EQ(f.share, 0.0);

  const R0Uncertainty u = ForsterDistanceUncertainty(s, {0.4, 1.0}, {0.1, 0.02, 0.1});
  ASSERT_EQ(u.factors.size(), 4u);
  const FactorSpread& kappa = u.factors[0];
  EXPECT_NEAR(kappa.r0_min, r0 * std::pow(0.4 / (2.0 / 3.0), 1.0 / 6.0), 1e-9);
  EXPECT_NEAR(kappa.r0_max, r0 * std::pow(1.5, 1.0 / 6.0), 1e-9);
  EXPECT_NEAR(u.factors[1].r0_max, r0 * std::pow(1.1, 1.0 / 6.0), 1e-9);
  EXPECT_NEAR(u.factors[2].r0_min, r0 * std::pow(1.02, -4.0 / 6.0), 1e-9);
  EXPECT_NEAR(u.factors[3].r0_min, r0 * std::pow(0.9, 1.0 / 6.0), 1e-9);
  // Everything unfavourable at once.
  EXPECT_NEAR(u.r0_min, r0 * std::pow(0.6 * 0.9 * 0.9 / std::pow(1.02, 4), 1.0 / 6.0), 1e-9);
  double shares = 0.0;
  for (const FactorSpread& f : u.factors) shares += f.share;
  EXPECT_NEAR(shares, 1.0, 1e-12);
  EXPECT_GT(kappa.share, u.factors[2].share);  // kappa^2 dominates here
}

// Two Gaussians on the grid, loaded as the readers and the derivations
// leave them.
FretSession Pair(int donor_first, int donor_last, int acceptor_first, int acceptor_last) {
  FretSession s;
  LayGaussian(s.donor_emission, donor_first, donor_last, 1.0, 520.0, 20.0);
  s.emission_first = donor_first;
  s.emission_last = donor_last;
  s.emission_valid = true;
  LayGaussian(s.acceptor_absorbance, acceptor_first, acceptor_last, 0.8, 560.0, 25.0);
  s.absorption_first = acceptor_first;
  s.absorption_last = acceptor_last;
  s.absorption_valid = true;
  EXPECT_EQ(ExtinctionFromConcentration(s, acceptor_first, acceptor_last),
            ConcentrationDerivation::kDerived);
  EXPECT_TRUE(ComputeOverlapIntegral(s));
  return s;
}

TEST(FretAnalysisTest, CumulativeJEndsAtJAndTheBandHoldsNinetyPerCent) {
  const FretSession s = Pair(400, 700, 400, 750);
  const OverlapDiagnostics d = DiagnoseOverlap(s);
  ASSERT_TRUE(d.available);
  EXPECT_EQ(d.first, 400);
  EXPECT_EQ(d.last, 700);
  EXPECT_EQ(d.cumulative_fraction.back(), 1.0);
  // The terms are the very ones J sums.
  double sum = 0.0;
  for (const double t : d.terms) sum += t;
  EXPECT_NEAR(sum, s.overlap_integral, 1e-13 * s.overlap_integral);
  // Between the Gaussians' peaks, where the product of the two peaks.
  EXPECT_GT(d.peak, 520);
  EXPECT_LT(d.peak, 560);
  const auto at = [&](int w) { return d.cumulative_fraction[static_cast<std::size_t>(w - 400)]; };
  EXPECT_GE(at(d.band_first), 0.05);
  EXPECT_LT(at(d.band_first - 1), 0.05);
  EXPECT_GE(at(d.band_last), 0.95);
  EXPECT_LT(at(d.band_last - 1), 0.95);
  EXPECT_TRUE(d.warnings.empty());
}

TEST(FretAnalysisTest, WarningsOnSpectraCutOnPurpose) {
  const struct {
    const char* what;
    int donor_first, donor_last, acceptor_first, acceptor_last;
    const char* expected;  // a piece of the one warning
  } cases[] = {
      {"acceptor ends early", 400, 700, 400, 530, "The acceptor spectrum ends at 530 nm"},
      {"acceptor starts late", 400, 700, 515, 750, "The acceptor spectrum starts at 515 nm"},
      {"donor cut on the red side", 400, 530, 400, 750, "The donor spectrum is cut off at 530 nm"},
  };
  for (const auto& c : cases) {
    const OverlapDiagnostics d =
        DiagnoseOverlap(Pair(c.donor_first, c.donor_last, c.acceptor_first, c.acceptor_last));
    ASSERT_FALSE(d.warnings.empty()) << c.what;
    bool found = false;
    for (const std::string& w : d.warnings)
      found = found || w.find(c.expected) != std::string::npos;
    EXPECT_TRUE(found) << c.what << ": " << d.warnings.front();
  }
}

TEST(FretAnalysisTest, NegativeAcceptorValuesInTheBandAreCounted) {
  FretSession s = Pair(400, 700, 400, 750);
  const double j = s.overlap_integral;
  double removed = 0.0;
  for (int w = 535; w <= 540; ++w) {
    removed += OverlapTerm(s.donor_emission, s.acceptor_extinction, w);
    s.acceptor_extinction[w] = -s.acceptor_extinction[w];
  }
  ASSERT_TRUE(ComputeOverlapIntegral(s));
  const OverlapDiagnostics d = DiagnoseOverlap(s);
  ASSERT_EQ(d.warnings.size(), 1u);
  EXPECT_NE(d.warnings[0].find("between 535 and 540 nm"), std::string::npos) << d.warnings[0];
  // What they remove, as a share of J without them.
  const double share = removed / (j - removed);
  const std::string percent = FormatGeneral(std::round(share * 1000.0) / 10.0, 3) + " % of J";
  EXPECT_NE(d.warnings[0].find(percent), std::string::npos) << d.warnings[0] << " / " << percent;
}

TEST(FretAnalysisTest, NothingWithoutBothSpectraOrOverlap) {
  FretSession one_side = Pair(400, 700, 400, 750);
  one_side.absorption_valid = false;
  EXPECT_FALSE(DiagnoseOverlap(one_side).available);
  EXPECT_TRUE(DiagnoseOverlap(one_side).warnings.empty());
  const OverlapDiagnostics apart = DiagnoseOverlap(Pair(300, 400, 600, 750));
  EXPECT_FALSE(apart.available);
  EXPECT_TRUE(apart.cumulative_fraction.empty());
}

// kappa^2 ranges lie in [0, 4] wherever one is typed.
TEST(FretAnalysisTest, Kappa2RangesLieBetweenZeroAndFour) {
  const struct {
    double min, max;
    bool range;
  } cases[] = {{0.0, 4.0, true},        {2.0 / 3, 2.0 / 3, true}, {-1e-300, 1.0, false},
               {1.0, 4.0000001, false}, {2.0, 1.0, false},        {0.0, 0.0, true}};
  for (const auto& c : cases)
    EXPECT_EQ(IsKappa2Range(c.min, c.max), c.range) << c.min << " " << c.max;
}

// The analysis value holds every figure asked for, each from the same R0,
// and nothing that was not asked or cannot follow from R0 = 0.
TEST(AnalysisResultTest, OneValueForEveryFigureAsked) {
  const FretSession s = Pair(400, 700, 400, 750);
  const double r0 = ForsterDistance(s);
  AnalysisInputs inputs;
  AnalysisResult nothing = Analyse(s, r0, inputs);
  EXPECT_EQ(nothing.overlap_integral, s.overlap_integral);
  EXPECT_EQ(nothing.overlap_integral_nm4, OverlapIntegralInNm4(s.overlap_integral));
  EXPECT_EQ(nothing.forster_distance_nm, AngstromsToNanometres(r0));
  EXPECT_FALSE(nothing.distance || nothing.efficiency || nothing.uncertainty);
  EXPECT_TRUE(nothing.overlap.available);

  inputs.efficiency = 0.3;
  inputs.distance = 45.0;
  inputs.uncertainty = true;
  inputs.errors.quantum_yield = 0.1;
  const AnalysisResult asked = Analyse(s, r0, inputs);
  ASSERT_TRUE(asked.distance && asked.efficiency && asked.uncertainty);
  EXPECT_EQ(asked.distance->angstroms, DonorAcceptorDistance(0.3, r0));
  EXPECT_EQ(asked.efficiency->efficiency, TransferEfficiency(45.0, r0));
  // Without a kappa^2 range the panel's value stands alone.
  const R0Uncertainty& u = *asked.uncertainty;
  EXPECT_EQ(u.factors[static_cast<std::size_t>(R0Factor::kOrientation)].share, 0.0);
  EXPECT_LT(u.r0_min, r0);
  EXPECT_GT(u.r0_max, r0);
  EXPECT_FALSE(AnalysisRefusal(asked, inputs));

  const AnalysisResult no_overlap = Analyse(s, 0.0, inputs);
  EXPECT_FALSE(no_overlap.distance || no_overlap.efficiency);
  EXPECT_TRUE(AnalysisRefusal(no_overlap, inputs));
  EXPECT_FALSE(AnalysisRefusal(no_overlap, AnalysisInputs{}));
}

}  // namespace
}  // namespace korin
