// What one run of the calculation gate costs: it runs on every keystroke in
// a parameter field. Spectra are Gaussians over most of the grid.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "core/calculation_gate.h"
#include "core/emission.h"
#include "core/extinction.h"
#include "core/forster.h"
#include "core/fret_session.h"
#include "numeric/number_text.h"

namespace {

void LayGaussian(korin::SpectrumGrid& grid, int first, int last, double height, double centre,
                 double sigma) {
  for (int w = first; w <= last; ++w) {
    const double d = w - centre;
    grid[w] = height * std::exp(-d * d / (2 * sigma * sigma));
  }
}

korin::FretSession LoadedSession() {
  korin::FretSession s;
  LayGaussian(s.donor_emission, 300, 1200, 1000.0, 520.0, 30.0);
  s.emission_first = 300;
  s.emission_last = 1200;
  s.emission_valid = true;
  LayGaussian(s.acceptor_absorbance, 200, 1400, 0.85, 560.0, 40.0);
  s.absorption_first = 200;
  s.absorption_last = 1400;
  s.absorption_valid = true;
  if (!korin::NormalizeEmission(s)) std::abort();
  // Sets extinction_valid, the last flag the gate asks for.
  if (korin::ExtinctionFromConcentration(s, s.absorption_first, s.absorption_last) !=
      korin::ConcentrationDerivation::kDerived) {
    std::abort();
  }
  return s;
}

// Conditions, extinction from the concentration, J, R0 and the three texts
// (the extinction field is rewritten on every passing run), in the order the
// gate runs them.
void BM_GateRun(benchmark::State& state) {
  korin::FretSession s = LoadedSession();
  for (auto _ : state) {
    if (!korin::GateConditionsHold(s)) std::abort();
    if (korin::ExtinctionFromConcentration(s, s.absorption_first, s.absorption_last) !=
        korin::ConcentrationDerivation::kDerived) {
      std::abort();
    }
    if (!korin::ComputeOverlapIntegral(s)) std::abort();
    const double r0 = korin::ForsterDistance(s);
    std::string j_text = korin::FormatExponent(s.overlap_integral, ".");
    std::string r0_text = korin::FormatFixed(r0, ".");
    std::string extinction_text = korin::FormatGeneral(s.extinction_max, 15);
    benchmark::DoNotOptimize(j_text);
    benchmark::DoNotOptimize(r0_text);
    benchmark::DoNotOptimize(extinction_text);
  }
}
BENCHMARK(BM_GateRun);

// The three exact-decimal comparisons and seven flags alone.
void BM_GateConditions(benchmark::State& state) {
  const korin::FretSession s = LoadedSession();
  for (auto _ : state) benchmark::DoNotOptimize(korin::GateConditionsHold(s));
}
BENCHMARK(BM_GateConditions);

// The 1401-point sum alone.
void BM_ComputeOverlapIntegral(benchmark::State& state) {
  korin::FretSession s = LoadedSession();
  for (auto _ : state) {
    benchmark::DoNotOptimize(korin::ComputeOverlapIntegral(s));
    benchmark::DoNotOptimize(s.overlap_integral);
  }
}
BENCHMARK(BM_ComputeOverlapIntegral);

// The Beer-Lambert derivation over the 1201-point absorption range alone.
void BM_ExtinctionFromConcentration(benchmark::State& state) {
  korin::FretSession s = LoadedSession();
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        korin::ExtinctionFromConcentration(s, s.absorption_first, s.absorption_last));
    benchmark::DoNotOptimize(s.extinction_max);
  }
}
BENCHMARK(BM_ExtinctionFromConcentration);

// The three texts of a passing run, each on the value the gate writes.
void BM_FormatExponent(benchmark::State& state) {
  korin::FretSession s = LoadedSession();
  if (!korin::ComputeOverlapIntegral(s)) std::abort();
  double j = s.overlap_integral;
  for (auto _ : state) {
    benchmark::DoNotOptimize(j);
    benchmark::DoNotOptimize(korin::FormatExponent(j, "."));
  }
}
BENCHMARK(BM_FormatExponent);

void BM_FormatFixed(benchmark::State& state) {
  korin::FretSession s = LoadedSession();
  if (!korin::ComputeOverlapIntegral(s)) std::abort();
  double r0 = korin::ForsterDistance(s);
  for (auto _ : state) {
    benchmark::DoNotOptimize(r0);
    benchmark::DoNotOptimize(korin::FormatFixed(r0, "."));
  }
}
BENCHMARK(BM_FormatFixed);

// Significance 15 for the extinction field, 5 for the parameter fields.
void BM_FormatGeneral(benchmark::State& state) {
  const korin::FretSession s = LoadedSession();
  double value = state.range(0) == 15 ? s.extinction_max : s.orientation_factor;
  const int significant = static_cast<int>(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    benchmark::DoNotOptimize(korin::FormatGeneral(value, significant));
  }
}
BENCHMARK(BM_FormatGeneral)->Arg(15)->Arg(5);

}  // namespace
