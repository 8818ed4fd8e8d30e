#include "plan/plan_model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/fret_analysis.h"

namespace korin {
namespace {

PlanSpectrum Flat(int first, int last, double value = 1.0) {
  PlanSpectrum s;
  s.first = first;
  s.last = last;
  for (int w = first; w <= last; ++w) s.values[w] = value;
  return s;
}

PlanSpectrum Gaussian(double centre, double sigma, double height) {
  PlanSpectrum s;
  s.first = static_cast<int>(centre - 8 * sigma);
  s.last = static_cast<int>(centre + 8 * sigma);
  for (int w = s.first; w <= s.last; ++w) {
    const double d = (w - centre) / sigma;
    s.values[w] = height * std::exp(-d * d / 2);
  }
  return s;
}

SpectrumGrid Band(int low, int high) {
  SpectrumGrid t;
  for (int w = low; w <= high; ++w) t[w] = 1.0;
  return t;
}

// A realistic pair: donor at 520 nm, acceptor at 570 nm, a laser at 488 nm.
struct Instrument488 {
  PlanSpectra spectra{Gaussian(520, 15, 1), Gaussian(490, 15, 70000), Gaussian(590, 18, 1),
                      Gaussian(560, 20, 90000)};
  PlanInstrument instrument;
  Instrument488() {
    instrument.donor_quantum_yield = 0.6;
    instrument.acceptor_quantum_yield = 0.3;
    instrument.donor_laser = 488;
    instrument.donor_channel = Band(500, 550);
    instrument.acceptor_channel = Band(580, 660);
  }
};

TEST(PlanModelTest, RectangularSpectraThroughBandPassesGiveEtaExactly) {
  struct Case {
    int first, last, low, high;
    double eta;
  };
  for (const Case& c : {Case{500, 599, 540, 560, 21.0 / 100.0}, Case{500, 599, 400, 700, 1.0},
                        Case{500, 599, 600, 700, 0.0}, Case{500, 519, 519, 530, 1.0 / 20.0}}) {
    EXPECT_EQ(CollectedFraction(Flat(c.first, c.last), Band(c.low, c.high)), c.eta)
        << c.first << ".." << c.last << " through " << c.low << ".." << c.high;
  }
}

TEST(PlanModelTest, GaussianThroughBandPassGivesTheErfValue) {
  const PlanSpectrum emission = Gaussian(520, 20, 1000);
  for (const double half : {10.0, 20.0, 40.0}) {
    const SpectrumGrid band = Band(static_cast<int>(520 - half), static_cast<int>(520 + half));
    // The inclusive ends add half a nanometre on each side.
    const double expected = std::erf((half + 0.5) / (20 * std::sqrt(2.0)));
    EXPECT_NEAR(CollectedFraction(emission, band), expected, 1e-4) << half;
  }
}

TEST(PlanModelTest, WithoutDirectExcitationTheDonorAloneShowsLeakage) {
  Instrument488 s;
  s.spectra.acceptor_extinction = Gaussian(640, 10, 90000);  // nothing at 488 nm
  s.spectra.acceptor_extinction.first = 400;
  const auto plan = ComputePlan(s.spectra, s.instrument);
  ASSERT_TRUE(plan.figures) << plan.refusal;
  const double alpha = plan.figures->factors.leakage;
  EXPECT_EQ(plan.figures->factors.direct_excitation, 0.0);
  EXPECT_GT(alpha, 0.0);
  EXPECT_DOUBLE_EQ(ApparentEfficiency(plan.figures->lines, 0.0), alpha / (1 + alpha));
}

TEST(PlanModelTest, ApparentEfficiencyIsMonotonicAndInvertsExactly) {
  Instrument488 s;
  for (const double laser : {470.0, 488.0, 510.5}) {
    s.instrument.donor_laser = laser;
    const auto plan = ComputePlan(s.spectra, s.instrument);
    ASSERT_TRUE(plan.figures) << plan.refusal;
    const SignalLines& lines = plan.figures->lines;
    double previous = -1.0;
    for (const auto& [e, apparent] : ApparentCurve(lines)) {
      EXPECT_GT(apparent, previous) << laser << " at E " << e;
      previous = apparent;
      const auto back = EfficiencyFromApparent(lines, apparent);
      ASSERT_TRUE(back);
      EXPECT_NEAR(*back, e, 1e-12);
    }
    EXPECT_FALSE(EfficiencyFromApparent(lines, ApparentEfficiency(lines, 0.0) / 2));
  }
}

TEST(PlanModelTest, FactorsFollowTheirDefinitions) {
  Instrument488 s;
  s.instrument.acceptor_laser = 561;
  const auto plan = ComputePlan(s.spectra, s.instrument);
  ASSERT_TRUE(plan.figures);
  const PlanFigures& f = *plan.figures;
  const double d488 = *ValueAt(s.spectra.donor_extinction, 488);
  const double a488 = *ValueAt(s.spectra.acceptor_extinction, 488);
  const double a561 = *ValueAt(s.spectra.acceptor_extinction, 561);
  EXPECT_DOUBLE_EQ(f.factors.direct_excitation, a488 / d488);
  EXPECT_DOUBLE_EQ(*f.factors.delta, a488 / a561);
  EXPECT_DOUBLE_EQ(*f.factors.beta, a561 / d488);
  EXPECT_DOUBLE_EQ(f.factors.gamma, 0.3 * f.detection.acceptor_in_acceptor_channel /
                                        (0.6 * f.detection.donor_in_donor_channel));
  EXPECT_DOUBLE_EQ(f.brightness.donor_in_donor_channel,
                   d488 * 0.6 * f.detection.donor_in_donor_channel);
  // Between whole nanometres the coefficient is read linearly.
  EXPECT_DOUBLE_EQ(
      *ValueAt(s.spectra.donor_extinction, 488.5),
      (s.spectra.donor_extinction.values[488] + s.spectra.donor_extinction.values[489]) / 2);
}

TEST(PlanModelTest, RefusalsNameTheInput) {
  struct Case {
    const char* name;
    void (*change)(Instrument488&);
    const char* message;
  };
  const Case cases[] = {
      {"laser beyond the donor", [](Instrument488& s) { s.instrument.donor_laser = 900; },
       "the donor laser at 900 nm lies outside the donor absorption spectrum"},
      {"acceptor laser beyond", [](Instrument488& s) { s.instrument.acceptor_laser = 300; },
       "the acceptor laser at 300 nm lies outside the acceptor absorption spectrum"},
      {"donor not absorbing",
       [](Instrument488& s) { s.spectra.donor_extinction.values[488] = 0.0; },
       "the donor does not absorb at the donor laser (488 nm)"},
      {"donor channel blind", [](Instrument488& s) { s.instrument.donor_channel = Band(900, 950); },
       "the donor channel collects none of the donor's emission"},
      {"acceptor channel blind",
       [](Instrument488& s) { s.instrument.acceptor_channel = Band(400, 410); },
       "the acceptor channel collects none of the acceptor's emission"},
  };
  for (const Case& c : cases) {
    Instrument488 s;
    c.change(s);
    const auto plan = ComputePlan(s.spectra, s.instrument);
    EXPECT_FALSE(plan.figures) << c.name;
    EXPECT_EQ(plan.refusal.rfind(c.message, 0), 0u) << c.name << ": " << plan.refusal;
  }
}

TEST(PlanModelTest, SensitivityIsTheSlopeOfE) {
  for (const double r : {20.0, 50.0, 80.0}) {
    const double h = 1e-4;
    const double numeric =
        (TransferEfficiency(r + h, 55.0) - TransferEfficiency(r - h, 55.0)) / (2 * h);
    EXPECT_NEAR(TransferEfficiencySlope(r, 55.0), numeric, 1e-8) << r;
  }
}

}  // namespace
}  // namespace korin
